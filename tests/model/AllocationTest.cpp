// The recalculation runs after every accepted edit and must not touch the heap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "tests/model/WorkedExample.h"

// The operators are replaced together, so malloc and free always pair up; GCC cannot see that
// through inlining and warns.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
bool counting = false;
int allocations = 0;
} // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
// The library's temporary buffers (std::stable_sort) come from the nothrow form: it must
// allocate where the deletes above free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

TEST(AllocationTest, RecalculateAllocatesNothing) {
    Scales scales;
    for (int loanType : {0, 1}) {
        Investment doc;
        SetUpWorkedExample(doc, loanType);
        doc.ProjectionYear = 40;
        allocations = 0;
        counting = true;
        doc.Recalculate(scales);
        counting = false;
        EXPECT_EQ(allocations, 0);
    }
}

} // namespace
