#pragma once

// The command numbers of the menus, accelerators, tool bars and controls.
namespace clCommand {

inline constexpr int kExit = 40001;
inline constexpr int kRandom = 40002;
inline constexpr int kNew = 40003;
inline constexpr int kOpen = 40004;
inline constexpr int kSave = 40005;
inline constexpr int kAddToFavorites = 40006;
inline constexpr int kCreateShortcut = 40007;
inline constexpr int kDailyChallenge = 40008;
inline constexpr int kTakeScore = 40010;
inline constexpr int kPause = 40011;
inline constexpr int kUndo = 40012;
inline constexpr int kHint = 40013;
inline constexpr int kOptions = 40020;
inline constexpr int kGameOptions = 40021;
inline constexpr int kStatistics = 40022;
inline constexpr int kGameSaving = 40023;
inline constexpr int kCardBacks = 40024;
inline constexpr int kPracticeMode = 40025;
inline constexpr int kHighScores = 40026;
inline constexpr int kResetColumns = 40030;
inline constexpr int kLargeIcons = 40031;
inline constexpr int kSmallIcons = 40032;
inline constexpr int kList = 40033;
inline constexpr int kDetails = 40034;
inline constexpr int kPreviewPane = 40035;
inline constexpr int kCardSizeFirst = 40040;  // Automatic, Huge, Large, Medium, Small, Tiny
inline constexpr int kCardSizeLast = 40045;
inline constexpr int kCustomSize = 40046;
inline constexpr int kFitToWindow = 40047;
inline constexpr int kWebSite = 40050;
inline constexpr int kLatestVersion = 40051;
inline constexpr int kCardSetsPage = 40052;
inline constexpr int kAllHighScoresPage = 40053;
inline constexpr int kGameHighScoresPage = 40054;
inline constexpr int kNewsletter = 40055;
inline constexpr int kCustomerService = 40056;
inline constexpr int kForum = 40057;
inline constexpr int kOnlineGames = 40058;
inline constexpr int kAbout = 40070;
inline constexpr int kHelpCenter = 40071;
inline constexpr int kRules = 40072;
inline constexpr int kMinimize = 40080;
inline constexpr int kTrayPlay = 40081;
inline constexpr int kHelpCenterTool = 40100;
inline constexpr int kCardSetsDownload = 9000;
inline constexpr int kCardSetFirst = 9001;
inline constexpr int kCardSetLast = 9998;
inline constexpr int kTakeScoreButton = 1040;

}  // namespace clCommand
