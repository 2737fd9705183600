#include "support/window_fixture.h"

#include "ui/application.h"

namespace bruso::testing {

WindowFixture::WindowFixture() {
  std::filesystem::create_directory(OutputFolder());
  Start();
}

WindowFixture::~WindowFixture() { form.reset(); }

void WindowFixture::Start() {
  form.reset();
  form = CreateMainWindow(start.path(), dialogs, 1);
}

}  // namespace bruso::testing
