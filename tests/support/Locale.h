// The process locale in tests: whether a locale is installed, and a scope that runs under one
// (as the program does once the desktop's locale is set at start-up).
#pragma once

#include <clocale>
#include <string>

inline bool LocaleAvailable(const char* name) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    const bool ok = std::setlocale(LC_ALL, name) != nullptr;
    std::setlocale(LC_ALL, before.c_str());
    return ok;
}

class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : before_(std::setlocale(LC_ALL, nullptr)) {
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, before_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool ok() const { return ok_; }

private:
    std::string before_;
    bool ok_ = false;
};

// The comma-decimal locale the suite runs under as well; the set-up generates it.
inline constexpr const char* kCommaLocale = "de_DE.UTF-8";
// Every locale the suite runs under in part: decimal commas, and Turkish, whose dotted and
// dotless i upset case-blind comparisons that go by the locale.
inline constexpr const char* kTestLocales[] = {"C", "de_DE.UTF-8", "fr_FR.UTF-8", "tr_TR.UTF-8"};
