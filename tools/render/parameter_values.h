// Turns "Name=Value" as a user writes it (host name without blanks, value in the units the
// effect shows: dB, Hz, %, multipliers, switch words) into a parameter index and its
// normalized value. Unknown names and values out of range come back as clear errors.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ParameterSetting {
    int index;
    float normalized;
    std::string text;  // as the user wrote it, for the summary
};

// `fineScale` is the FineTune range factor in force (0.125, 0.25, 0.5 or 1): it scales the dB
// ranges of Drive, HighAdjust and LowAdjust, and of Ceiling and Output by its square root.
std::optional<ParameterSetting> parseParameterSetting(const std::string& assignment, double fineScale,
                                                      std::string* error);

// Names that --set accepts, with what each takes, one per line.
std::vector<std::string> acceptedParameters();

// The index of a parameter by its host name (case and blanks do not matter), or -1.
int parameterIndexByName(const std::string& name);

// Whether a plug-in that calls parameter `index` `hostName` has the layout this table is for
// (the classic build places parameters elsewhere). Indices the table does not set match.
bool hostNameMatches(int index, const std::string& hostName);
