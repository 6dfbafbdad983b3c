#include "text/UserError.h"

#include <gtest/gtest.h>

TEST(UserError, MessagesNameTheFullPath)
{
    EXPECT_STREQ(orvanel::fileOpenError("/a/b.lst").what(), "ファイル /a/b.lst は開けません");
    EXPECT_STREQ(orvanel::fileWriteError("/a/Orvanel.ini").what(), "/a/Orvanel.ini に書き込めません");
}
