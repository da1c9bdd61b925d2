#pragma once
// A platform call a test relies on must succeed; a failure is named with
// the call and its code, where a dropped result would only show up later as
// a puzzling picture or sound.
#include <gtest/gtest.h>

#include "platform/result.h"

#define EXPECT_OK(call)                                                                                           \
  do {                                                                                                            \
    const ::platform::HResult expectOkResult = (call);                                                            \
    EXPECT_TRUE(::platform::Succeeded(expectOkResult)) << #call << " failed with code " << expectOkResult.Code(); \
  } while (false)
