#pragma once
// Where the project lives on the web; the one place these addresses are written.
namespace tessarin::contact {

inline constexpr const char16_t* kHomePage = u"https://tessarin.example/";
inline constexpr const char16_t* kDonatePage = u"https://tessarin.example/donate";
inline constexpr const char16_t* kForumPage = u"https://tessarin.example/forum";
inline constexpr const char16_t* kSupportEmail = u"support@tessarin.example";

}  // namespace tessarin::contact
