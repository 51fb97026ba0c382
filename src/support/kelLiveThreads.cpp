#include "support/kelLiveThreads.h"

std::atomic<int> kelLiveThreads::live{0};

int kelLiveThreads::count()
{
    return live.load();
}

kelLiveThreads::Token::Token()
{
    live.fetch_add(1);
}

kelLiveThreads::Token::Token(Token&& other) noexcept
{
    other.counted = false;
}

kelLiveThreads::Token::~Token()
{
    if (counted)
        live.fetch_sub(1);
}
