#pragma once

// Prepares a drawing tool to run without a display: the offscreen platform
// unless another one was asked for, and a private runtime folder when the
// session has none (Qt wants one and warns without it). Call before the
// application object is made.
void PrepareOffscreen();
