#include "app/top_level.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

int Guarded(const std::function<int()>& run, std::string& errors) {
  ::testing::internal::CaptureStderr();
  const int code = app::RunGuarded(run);
  errors = ::testing::internal::GetCapturedStderr();
  return code;
}

TEST(TopLevel, AnEscapingExceptionIsReportedWithItsTextAndExits70) {
  std::string errors;
  EXPECT_EQ(Guarded([]() -> int { throw std::runtime_error("the stream broke"); }, errors), 70);
  EXPECT_EQ(errors, "zarn: internal error: the stream broke\n");
  EXPECT_EQ(Guarded([]() -> int { throw std::bad_alloc(); }, errors), 70);
  EXPECT_EQ(errors, "zarn: internal error: std::bad_alloc\n");
  EXPECT_EQ(Guarded([]() -> int { throw 3; }, errors), 70);
  EXPECT_EQ(errors, "zarn: internal error\n");
  // A run that ends by itself keeps its status and says nothing.
  EXPECT_EQ(Guarded([] { return 73; }, errors), 73);
  EXPECT_EQ(errors, "");
}

}  // namespace
