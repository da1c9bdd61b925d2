#pragma once
// The cup and glass order panels over the stage, and the bucket readout.
#include "overlay/order_check.h"

namespace overlay {

// Each panel is drawn only while its vessel has an order; `rows` colours the
// poured column.
void DrawOrderPanels(const OrderRows& rows);
// The bucket's load at the centre left while it is loaded or dipped.
void DrawBucketReadout();

}  // namespace overlay
