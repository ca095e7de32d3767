#pragma once
// The Qt application object the platform tests share: created once on the
// main thread, on the offscreen platform, and kept until the process ends.
void EnsureQtApplication();
