// SPDX-FileCopyrightText: 2026 The Zendra developers
// SPDX-License-Identifier: GPL-3.0-or-later

// zendra-cli's script runner on random scripts: every command with random
// slots, numbers and texts (control bytes, NUL bytes, long runs), with and
// without the worked solutions, over data files that are themselves
// random, in a scratch folder of the run's own.
// After every line the workspace holds only what a workspace can hold, the
// run's status is 0 or 2, and no file appears outside the scratch folder
// (paths are drawn from a fixed set inside it).
#include "FuzzSupport.h"
#include "GVar.h"
#include "ScriptRunner.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <sys/stat.h>

namespace {

// The scratch folder, made once per process; every input runs inside it.
const std::string& scratch() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string name = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                           "/zendra-script-fuzz.XXXXXX";
        check(::mkdtemp(&name[0]) != nullptr);
        check(::chdir(name.c_str()) == 0);
        ::mkdir("sub", 0755);
        return name;
    }();
    return folder;
}

void writeFile(const char* name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

const char* const Good = "Fuzz workspace\r\nA\r\n2, 2\r\n4 2\r\n2 2\r\nb\r\n2, 1\r\n4\r\n3\r\n"
                         "Z\r\n3, 3\r\n1e308 1e308 0\r\n-1e308 1e308 0\r\n0 0 1e-309\r\n";

std::string slot(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0: return "0";
    case 1: return "x";
    case 2: return "-1";
    case 3: return "99999999999";
    case 4: return "";
    default: return std::to_string(in.ConsumeIntegralInRange<int>(1, 21));
    }
}

// Any bytes but a line feed, which would start another command.
std::string text(FuzzedDataProvider& in) {
    std::string t = in.ConsumeRandomLengthString(80);
    for (char& c : t)
        if (c == '\n')
            c = ' ';
    if (in.ConsumeBool() && in.ConsumeBool())
        t += std::string(in.ConsumeIntegralInRange<int>(0, 300), '9');
    return t;
}

std::string path(FuzzedDataProvider& in) {
    static const std::string paths[] = {
        "a.dat", "good.dat", "out", "out.lst", "new.dat", "sub", "sub/x.dat", "missing/x.dat",
        "",      ".",        std::string("good.dat\0x", 10), std::string("\0", 1), "a.dat 3"};
    return paths[in.ConsumeIntegralInRange<int>(0, std::size(paths) - 1)];
}

std::string line(FuzzedDataProvider& in) {
    static const char* const onOne[] = {"view",     "copy",         "erase",        "dump",
                                        "transpose", "invert",       "cholesky",     "hint",
                                        "charpoly",  "eigenvalues",  "eigenvectors", "diagonalise",
                                        "lu",        "cofactordet",  "adjugate",     "trace"};
    // Row operations: forms a student writes, with the fuzzer's own text in
    // between, up to the line that ends them (or none: the script ends).
    static const char* const operations[] = {"R2 <- R2 - (3/2) R1", "R1 <-> R2", "R1 / 2",
                                             "-2R1 + R2 -> R2",     "swap R1 R3", "R1 <- 0 R1",
                                             "R9 = R9 - R1",        "R1 <- (1/0) R1"};
    static const char* const onTwo[] = {"add", "subtract", "multiply", "solve", "cramer"};
    // Exponents that read, one past the limit, and the forms that do not.
    static const char* const exponents[] = {"2", "-1", "0", " 99 ", "-99", "+7", "100", "1.5"};
    switch (in.ConsumeIntegralInRange<int>(0, 14)) {
    case 13:
        return "power " + slot(in) + " " +
               (in.ConsumeBool() ? text(in)
                                 : exponents[in.ConsumeIntegralInRange<int>(
                                       0, std::size(exponents) - 1)]);
    case 14: return in.ConsumeBool() ? "working on" : "working off";
    case 12: {
        std::string l = "rowops " + slot(in);
        for (int k = in.ConsumeIntegralInRange<int>(0, 4); k > 0; --k)
            l += "\n" + (in.ConsumeBool() ? text(in)
                                           : operations[in.ConsumeIntegralInRange<int>(
                                                 0, std::size(operations) - 1)]);
        return in.ConsumeBool() ? l + "\nend" : l;
    }
    case 0: return "read " + path(in);
    case 1: return "write " + path(in);
    case 2: {
        std::string l = "list " + path(in);
        for (int k = in.ConsumeIntegralInRange<int>(0, 4); k > 0; --k)
            l += " " + slot(in);
        return l;
    }
    case 3: return "decimals " + text(in);
    case 4: return "rename " + slot(in) + " " + text(in);
    case 5: return "scale " + slot(in) + " " + text(in);
    case 6: return "matrices";
    case 7: return text(in);  // anything at all
    case 8:
    case 9:
        return std::string(onTwo[in.ConsumeIntegralInRange<int>(0, std::size(onTwo) - 1)]) + " " +
               slot(in) + " " + slot(in);
    default:
        return std::string(onOne[in.ConsumeIntegralInRange<int>(0, std::size(onOne) - 1)]) + " " +
               slot(in);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    scratch();
    FuzzedDataProvider in(data, size);
    writeFile("good.dat", Good);
    writeFile("a.dat", in.ConsumeRandomLengthString(2000));

    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(out, err);
    while (in.remaining_bytes() > 0) {
        std::istringstream script(line(in));
        const int status = runner.Run(script);
        check(status == 0 || status == 2);
        checkWorkspace(runner.Workspace());
        check(runner.Workspace().DecimalPlaces >= 0 && runner.Workspace().DecimalPlaces <= 99);
        if (out.tellp() > (1 << 20))
            out.str(std::string());
        if (err.tellp() > (1 << 20))
            err.str(std::string());
    }
    return 0;
}
