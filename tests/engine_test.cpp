#include "fake_display.h"
#include <gtest/gtest.h>
TEST(Smoke, Engine) { testing_support::Keypad k; EXPECT_EQ(k.type("2 + 3 ="), " 5"); }
