#pragma once

#include <cstddef>
#include <functional>

// Runs work(k) for k from 0 to count - 1 on up to `threads` threads (the
// calling thread one of them) and waits for all; an exception of any is
// thrown here. With `whileWaiting`, the calling thread does none of the
// work and calls it at once and then about every 50 ms until all is done.
void RunSideBySide(std::size_t count, int threads, const std::function<void(std::size_t)>& work,
                   const std::function<void()>& whileWaiting = {});
