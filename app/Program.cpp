#include "app/Program.h"

#include <QApplication>
#include <QIcon>

#include <fontconfig/fontconfig.h>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdlib>

#include "ui/charts/Charts.h"
#include "ui/colours/PrefColours.h"
#include "ui/dialogs/EditItem.h"
#include "ui/report/FileOutput.h"
#include "ui/shell/Platform.h"
#include "ui/workspace/Workspace.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VEL_OWN_ALLOCATOR 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
#define VEL_OWN_ALLOCATOR 0
#endif
#endif
#ifndef VEL_OWN_ALLOCATOR
#define VEL_OWN_ALLOCATOR 1
#endif

namespace {

bool SetUpHeap() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE) && VEL_OWN_ALLOCATOR
    // Up to its first painted window the program fills some 6 MB of fresh heap: the fonts,
    // the widgets, the window's backing store. A page at a time that is several hundred page
    // faults, which a virtual machine makes dear; in huge pages it is a handful. So the heap
    // grows by 32 MB at a time, large blocks stay in it instead of getting mappings of their
    // own, the threads Qt starts share it, and the kernel is asked for huge pages there. Where
    // it gives none (they are off), only the size of the heap's steps changes.
    constexpr std::size_t kStep = std::size_t{32} << 20;
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (mallopt(M_ARENA_MAX, 1) == 0 || mallopt(M_MMAP_THRESHOLD, static_cast<int>(kStep)) == 0 ||
        mallopt(M_TOP_PAD, static_cast<int>(kStep)) == 0)
        return false;
    // A block larger than any free one and smaller than the new threshold comes from the top of
    // the heap, which grows by a step for it. Shrunk in place to end just before the first 2 MB
    // boundary after its start, it keeps the heap below that boundary (where huge pages cannot
    // be) out of use for the rest of the run; what follows the boundary is free and asked to be
    // in huge pages. The block itself is never used, so never touched beyond its first page.
    // The heap's bookkeeping for the free rest goes in the block's last bytes, below the
    // boundary: a page touched above it before the request would keep its 2 MB in small pages.
    constexpr std::uintptr_t kHeader = 32;
    char* block = static_cast<char*>(std::malloc(kStep - kHuge));
    if (block == nullptr) return false;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    std::uintptr_t first = (start + kHuge - 1) & ~(kHuge - 1);
    if (first - start < 64 + kHeader) first += kHuge;
    static void* setAside = nullptr;
    setAside = std::realloc(block, first - start - kHeader);
    if (setAside != block) return false;
    // Up to the 2 MB the heap's top began in when the block was taken (its bookkeeping is
    // there, above the block, written before the request).
    const auto last = (start + (kStep - kHuge)) & ~(kHuge - 1);
    // A heap that could not grow in place (its step came from a mapping) is left be.
    if (last < first + kHuge || reinterpret_cast<std::uintptr_t>(sbrk(0)) < last) return false;
    return madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE) == 0;
#else
    return false;
#endif
}

} // namespace

FcConfig* ReadFontConfiguration() {
    // Besides the configuration in force, the library's start-up parses the forty-odd templates
    // the system keeps beside it (enabled or not) to be able to name them; that is some 40 % of
    // its work, ten million instructions, before Qt can measure any text.
    if (const char* debug = std::getenv("FC_DEBUG"); debug != nullptr && *debug != '\0')
        return nullptr;
    FcConfig* config = FcConfigCreate();
    if (config == nullptr) return nullptr;
    bool usable = FcConfigParseAndLoad(config, nullptr, FcTrue) == FcTrue;
    if (usable) {
        // Without a cache folder the library adds its defaults and warns; leave that to it.
        FcStrList* caches = FcConfigGetCacheDirs(config);
        usable = caches != nullptr && FcStrListNext(caches) != nullptr;
        if (caches != nullptr) FcStrListDone(caches);
    }
    if (usable) usable = FcConfigBuildFonts(config) == FcTrue;
    if (!usable) {
        FcConfigDestroy(config);
        return nullptr;
    }
    return config;
}

bool PrepareFonts() {
    static const bool prepared = [] {
        FcConfig* config = ReadFontConfiguration();
        if (config == nullptr) return false;
        const bool set = FcConfigSetCurrent(config) == FcTrue;
        FcConfigDestroy(config); // the library holds its own reference now
        return set;
    }();
    return prepared;
}

bool PrepareHeap() {
    static const bool prepared = SetUpHeap();
    return prepared;
}

void InstallProgram() {
    QApplication::setWindowIcon(PngIcon({{256, QStringLiteral(":/velppc.png")}}));
    // Ties the windows to the installed desktop entry (its name and icon in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("velppc"));
    InstallDialogHooks();
    InstallChartHooks();
    InstallColourHooks();
    InstallWorkspaceHooks();
    InstallReportHooks();
}
