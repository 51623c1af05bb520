// Work made on both processor cores and used in order on one: the text of a layer's rows made
// while the rows before them are written, layers decoded while the ones before them are.
#pragma once

#include <cstddef>
#include <functional>

// Makes items 0 .. count - 1 and uses each, in order, on the calling thread. `make(i)` runs on a
// second thread or on the calling one, whichever is free, for at most `ahead` items past the
// one in use; `use(i)` runs once item i is made and every item before it used. False from
// either stops the work: nothing more is made or used, and false is returned once the items in
// hand are made. An exception from `make` or `use` stops it the same way and is thrown again.
bool makeAndUseInOrder(size_t count, size_t ahead, const std::function<bool(size_t)>& make,
                       const std::function<bool(size_t)>& use);
