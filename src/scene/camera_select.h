#pragma once

namespace scene {

// Makes camera n (1..10) the viewport's camera; other numbers do nothing.
void SetCamera(int n);

}  // namespace scene
