#include "fuzz_targets.h"

#include <array>

namespace {

constexpr std::array targets{
    FuzzTarget{"log_file_open", fuzzLogFileOpen},
    FuzzTarget{"sent_number", fuzzRestoreSentNumber},
    FuzzTarget{"worked_before", fuzzWorkedBefore},
    FuzzTarget{"numeric_value", fuzzNumericValue},
    FuzzTarget{"export_line_reader", fuzzExportLineReader},
    FuzzTarget{"recovery_file", fuzzRecoveryFile},
};

} // namespace

std::span<const FuzzTarget> fuzzTargets()
{
    return targets;
}

const FuzzTarget *findFuzzTarget(QStringView name)
{
    for (const FuzzTarget &target : targets) {
        if (name == QLatin1StringView(target.name))
            return &target;
    }
    return nullptr;
}
