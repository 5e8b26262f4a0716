#pragma once

#include "Definitions.hpp"
#include "TextDefinitions.hpp"

// Character codes of narrow text, with GSRoot's values. The stand-in converts CC_Default with the
// host's code page (StandIn/CodePage.hpp: UTF-8 unless the driver chose another) and every other
// code as UTF-8.
enum GSCharCode {
    CC_Default = 0,
    CC_System = 1,
    CC_User = 2,
    CC_Application = 3,
    CC_Legacy = 4,

    CC_WestEuropean = 11,
    CC_EastEuropean = 12,
    CC_Baltic = 13,
    CC_Cyrillic = 14,
    CC_Greek = 15,
    CC_Turkish = 16,

    CC_Hebrew = 21,
    CC_Arabic = 22,

    CC_Thai = 31,
    CC_Japanese = 32,
    CC_TradChinese = 33,
    CC_SimpChinese = 34,
    CC_Korean = 35,

    CC_Symbol = 40,

    CC_UTF8 = 99,
    CC_UTF16 = 100,
    CC_UniCode = 100
};
