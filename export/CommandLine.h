// What the command-line programs share: the options that name a built-in scale, and reading
// the investment file they are given, worked out under those scales. Messages start with the
// program's name.
#pragma once

#include <optional>
#include <string>
#include <vector>

class Investment;
struct Scales;

struct ScaleOptions {
    std::optional<std::string> duty, tax;
};

enum class OptionTaken { No, Yes, Wrong };
// Takes "--duty NAME", "--duty=NAME", "--tax NAME" or "--tax=NAME" at argv[i], moving i past
// the name; Wrong with `error` set when the option is doubled or its name is missing.
OptionTaken TakeScaleOption(int argc, char** argv, int& i, ScaleOptions& options, std::string& error);

// The built-in locations the options name (-1 where none is named). False, with a message
// that lists the names there are, when a name is unknown.
bool FindNamedScales(const ScaleOptions& options, const char* program, int& duty, int& tax,
                     std::string& message);

// Reads `path` into `doc` and `scales` (which start as at program start and take the file's),
// then puts the named built-in scales in their place (the stored base duty kept) and works the
// investment out again. False
// with a message naming the file when it cannot be read; notices of a file that did read
// (a later version) go to `notices`.
// `asRead`, when given, receives the record as read, before it is worked out.
bool ReadInvestmentFile(const char* path, const char* program, int duty, int tax, Investment& doc,
                        Scales& scales, std::string& message, std::vector<std::string>& notices,
                        Investment* asRead = nullptr);
