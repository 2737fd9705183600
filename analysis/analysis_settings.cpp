#include "analysis/analysis_settings.h"

namespace bruso {

namespace {

KeyCards KeyCardsOfSuit(char suit) {
  KeyCards table;
  for (int k = 2; k <= 4; ++k) table.Set(k, std::string{static_cast<char>('0' + k), suit});
  return table;
}

}  // namespace

KeyCards ClubKeyCards() { return KeyCardsOfSuit('C'); }
KeyCards HeartKeyCards() { return KeyCardsOfSuit('H'); }

}  // namespace bruso
