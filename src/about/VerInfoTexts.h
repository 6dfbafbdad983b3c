#pragma once
// What the version window says: the program's version, its rights notice, its web address
// and its mail address. The web address is also what a click on it opens.

#include <array>
#include <string>

namespace orvanel::about {

inline constexpr const char* Version = "Version 1.30";
inline constexpr const char* CopyRight = "Copyright (C) 2026 The Orvanel developers";
inline constexpr const char* WebAddress = "https://orvanel.example.org/";
inline constexpr const char* MailAddress = "orvanel@example.org";

// The full texts of LabelVersion, LabelCopyRight, LabelURL and LabelMail, in that order.
inline std::array<std::string, 4> verInfoTexts()
{
    return {Version, CopyRight, std::string("URL  ") + WebAddress, std::string("Mail  ") + MailAddress};
}

} // namespace orvanel::about
