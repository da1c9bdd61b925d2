#pragma once
// The hook through which start-up and music code report a failed call. It
// never stops the caller; the report goes to the debug output.
#include "platform/result.h"

namespace audio {

void ReportError(platform::HResult code, const char* message);

// The texts the callers pass.
namespace error_text {
inline constexpr const char* kComInit = "COMの初期化に失敗";
inline constexpr const char* kPerformanceCreate = "DirectMusicPerformanceの作成に失敗";
inline constexpr const char* kPerformanceInit = "DirectMusicPerformanceの初期化に失敗";
inline constexpr const char* kLoaderCreate = "DirectMusicLoaderの作成に失敗";
inline constexpr const char* kCurrentDirectory = "カレント・ディレクトリの取得に失敗";
inline constexpr const char* kDefaultPort = "デフォルト・ポートの取得に失敗";
inline constexpr const char* kPortCreate = "ポートの作成に失敗";
inline constexpr const char* kPortCaps = "ポートの能力の取得に失敗";
inline constexpr const char* kNoPort = "条件に合うポートが見付からなかった（もしくはエラー発生）";
inline constexpr const char* kSegmentLoad = "セグメントのロードに失敗";
inline constexpr const char* kSetParamMidi = "SetParam(GUID_StandardMIDIFile)に失敗";
inline constexpr const char* kSetParamDownload = "SetParam(GUID_Download)に失敗";
inline constexpr const char* kSegmentLength = "セグメントの長さの取得に失敗";
inline constexpr const char* kStop = "演奏停止に失敗";
inline constexpr const char* kSetParamUnload = "SetParam(GUID_Unload)に失敗";
inline constexpr const char* kCloseDown = "IDirectMusicPerformance::CloseDownに失敗";
}  // namespace error_text

}  // namespace audio
