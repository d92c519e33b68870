// Editor command numbers. 0 to 255 are characters; the commands start at 257. Keys, posted
// messages and the program all run them through TAdvancedEditor::ExecuteCommand.
#pragma once

#include <cstdint>

namespace zemblo {

using TEditCommand = uint16_t;

inline constexpr TEditCommand cmdLeft = 257;
inline constexpr TEditCommand cmdUp = 258;
inline constexpr TEditCommand cmdRight = 259;
inline constexpr TEditCommand cmdDown = 260;
inline constexpr TEditCommand cmdSelLeft = 265;
inline constexpr TEditCommand cmdSelUp = 266;
inline constexpr TEditCommand cmdSelRight = 267;
inline constexpr TEditCommand cmdSelDown = 268;
inline constexpr TEditCommand cmdWordLeft = 269;
inline constexpr TEditCommand cmdWordRight = 270;
inline constexpr TEditCommand cmdSelWordLeft = 271;
inline constexpr TEditCommand cmdSelWordRight = 272;
inline constexpr TEditCommand cmdPageUp = 276;
inline constexpr TEditCommand cmdPageDown = 277;
inline constexpr TEditCommand cmdSelPageUp = 278;
inline constexpr TEditCommand cmdSelPageDown = 279;
inline constexpr TEditCommand cmdLineStart = 280;
inline constexpr TEditCommand cmdLineEnd = 281;
inline constexpr TEditCommand cmdEditorTop = 282;
inline constexpr TEditCommand cmdEditorBottom = 283;
inline constexpr TEditCommand cmdSelLineStart = 284;
inline constexpr TEditCommand cmdSelLineEnd = 285;
inline constexpr TEditCommand cmdSelEditorTop = 286;
inline constexpr TEditCommand cmdSelEditorBottom = 287;
inline constexpr TEditCommand cmdScrollUp = 289;
inline constexpr TEditCommand cmdScrollDown = 290;
inline constexpr TEditCommand cmdLineBreak = 357;
inline constexpr TEditCommand cmdBackspace = 358;
inline constexpr TEditCommand cmdDelete = 359;
inline constexpr TEditCommand cmdToggleMode = 360;
inline constexpr TEditCommand cmdTab = 361;
inline constexpr TEditCommand cmdBlockIndent = 363;
inline constexpr TEditCommand cmdDeleteSelection = 367;
inline constexpr TEditCommand cmdCopy = 368;
inline constexpr TEditCommand cmdCut = 369;
inline constexpr TEditCommand cmdPaste = 370;
inline constexpr TEditCommand cmdDeleteLine = 371;
inline constexpr TEditCommand cmdDeleteWord = 372;
inline constexpr TEditCommand cmdUndo = 376;
inline constexpr TEditCommand cmdBeginGroup = 378;
inline constexpr TEditCommand cmdEndGroup = 379;
inline constexpr TEditCommand cmdBeginUpdate = 380;
inline constexpr TEditCommand cmdEndUpdate = 381;
inline constexpr TEditCommand cmdDeleteWordLeft = 472;

// The message a posted command travels in: the platform's first user message plus 257.
inline constexpr unsigned kPostedCommandMessage = 0x0501;

}  // namespace zemblo
