#pragma once

// The product's own addresses on the web, in one place. Pages of the web site
// are opened through referralLink, which adds where the visitor came from.
namespace VtProductAddresses {

inline constexpr wchar_t homePage[] = L"https://vantrel.example/";
inline constexpr wchar_t forumPage[] = L"https://vantrel.example/forum/";
// Opened without the referral query.
inline constexpr wchar_t featureRequestPage[] = L"https://vantrel.example/feature-requests/";
// Shown when start-up finds no monitor to control.
inline constexpr wchar_t noMonitorsFoundPage[] = L"https://vantrel.example/errors/no_monitors_found.html";
inline constexpr wchar_t supportMail[] = L"mailto:support@vantrel.example";

} // namespace VtProductAddresses
