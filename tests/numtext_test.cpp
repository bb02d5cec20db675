#include "numtext/numtext.h"
#include <gtest/gtest.h>
TEST(Smoke, Numtext) { EXPECT_EQ(numtext::singleText(0.5f), "0.5"); }
