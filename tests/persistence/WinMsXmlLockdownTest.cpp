#include "persistence/kelWinMsXmlSerializationInputStream.h"
#include "support/kelComInitialize.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string settingsFile = R"(<?xml version="1.0" encoding="UTF-8"?><Vantrel xml:space="preserve" a="1" />)";

} // namespace

TEST(MsXmlLockdown, APropertyTheParserRefusesFailsTheLoad)
{
    kelComInitialize com;
    auto properties = kelMsXmlSerializationInputStream::lockdownProperties();
    ASSERT_TRUE(kelMsXmlSerializationInputStream::parse(settingsFile, properties))
        << "the parser knows every property of the lockdown";

    properties.push_back({L"NoSuchLockdownProperty", true});
    EXPECT_FALSE(kelMsXmlSerializationInputStream::parse(settingsFile, properties));
}
