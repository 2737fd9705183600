#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include "ui/application.h"

namespace bruso::testing {

WindowFixture::WindowFixture() {
  std::filesystem::create_directory(OutputFolder());
  Start();
}

WindowFixture::~WindowFixture() {
  form.reset();
  EXPECT_EQ(dialogs.unanswered, 0) << "a question came that the test did not answer";
}

void WindowFixture::Start() {
  form.reset();
  form = CreateMainWindow(start.path(), dialogs, 1);
}

}  // namespace bruso::testing
