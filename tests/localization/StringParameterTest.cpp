#include "localization/StringParameter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ParameterCase {
    std::wstring text;
    std::wstring value;
    std::wstring result;
};

class StringParameterCases : public testing::TestWithParam<ParameterCase> {};

TEST_P(StringParameterCases, ReplacesTheFirstPlaceholderAsPlainText)
{
    EXPECT_EQ(withStringParameter(GetParam().text, GetParam().value), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StringParameterCases,
    testing::Values(ParameterCase{L"Delete the profile \"%s\"?", L"Night", L"Delete the profile \"Night\"?"},
                    ParameterCase{L"%s", L"Vantrel", L"Vantrel"},
                    // Format directives in the file or the value are text, nothing more.
                    ParameterCase{L"%d%% %s %n %s", L"50%s %n", L"%d%% 50%s %n %n %s"},
                    ParameterCase{L"no parameter", L"Night", L"no parameter"},
                    ParameterCase{L"", L"Night", L""}, ParameterCase{L"%", L"Night", L"%"}));

} // namespace
