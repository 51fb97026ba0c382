#include "ui/UrlTarget.h"

#include <gtest/gtest.h>

TEST(UrlTarget, ThePrefixDecidesInAnyCase)
{
    const struct {
        const wchar_t* target;
        UrlTargetKind kind;
    } cases[] = {
        {L"mailto:support@vantrel.example", UrlTargetKind::Mail},
        {L"MAILTO:support@vantrel.example", UrlTargetKind::Mail},
        {L"cmd:1045", UrlTargetKind::Command},
        {L"CMD:1045", UrlTargetKind::Command},
        {L"https://vantrel.example/", UrlTargetKind::WebPage},
        {L"mailto", UrlTargetKind::WebPage},
        {L"", UrlTargetKind::WebPage},
    };
    for (const auto& c : cases)
        EXPECT_EQ(urlTargetKind(c.target), c.kind) << c.target;
}

TEST(UrlTarget, TheCommandNumberIsReadLikeADecimalInteger)
{
    const struct {
        const wchar_t* target;
        int command;
    } cases[] = {
        {L"cmd:1045", 1045}, {L"CMD:1045", 1045},  {L"cmd:  +32777", 32777}, {L"cmd:-3", -3},
        {L"cmd:12ab", 12},   {L"cmd:", 0},         {L"cmd:abc", 0},         {L"cmd:99999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(urlTargetCommand(c.target), c.command) << c.target;
}
