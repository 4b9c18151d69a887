// Runs work on a helper thread with a large stack and waits for it. Archives may nest
// objects 10,000 levels deep, and reading or writing them recurses once per level, which
// needs more than a default 8 MB main-thread stack in sanitizer builds.
#pragma once

#include <functional>

void slRunWithLargeStack(const std::function<void()> &work);
