#pragma once
// Every reader of Trakmora as a fuzz target. Each target feeds the bytes to one reader and checks
// that it either reads them or reports a message naming the file and line; a crash, a hang or a
// read past the input is what the fuzzer looks for. The same functions replay the inputs kept
// under tests/regressions/ in an ordinary test.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trakmora::fuzz {

using TargetFunction = void (*)(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;
    TargetFunction run;
};

const std::vector<Target>& targets();
const Target* findTarget(const std::string& name);

} // namespace trakmora::fuzz
