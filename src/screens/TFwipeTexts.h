#pragma once
// The shredder screen's texts in the eight languages, and its fixed texts.

#include "app/Contacts.h"
#include "screens/LanguageApplier.h"

#include <span>
#include <string>
#include <string_view>

namespace orvane {

std::span<const TextRow> tfwipeTexts();

namespace wipetext {
inline constexpr std::string_view Caption = "Orvane";
inline constexpr std::string_view SelectFolder = "Select Directory to Wipe";
inline constexpr std::string_view OpenFileTitle = "Shred file";
inline constexpr std::string_view HelpPage = helpPageName;
inline constexpr std::string_view MailSubject = "contact us";
inline constexpr std::string_view Website = websiteUrl;
inline constexpr std::string_view ContactAddress = supportMail;

std::string confirmFolder(std::string_view path); // "Are You sure to Wipe <path> and it's subdirectory ?"
std::string fileNotFound(std::string_view path);  // "File not found : <path>"
std::string linkRefused(std::string_view path);
std::string linesLeft(std::string_view error, std::span<const std::string> lines);
std::string unreliableWarning(std::span<const std::string> itemsWithFileSystem);
} // namespace wipetext

} // namespace orvane
