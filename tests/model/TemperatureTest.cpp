#include "TTemperature.h"

#include <gtest/gtest.h>

TEST(Temperature, Placeholder) { EXPECT_EQ(zeft::TTemperature(4.0).Value(), 5.0); }
