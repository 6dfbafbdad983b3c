#include "text/UserError.h"

namespace orvanel {

UserError fileOpenError(const std::string& path)
{
    return UserError("ファイル " + path + " は開けません");
}

UserError fileWriteError(const std::string& path)
{
    return UserError(path + " に書き込めません");
}

} // namespace orvanel
