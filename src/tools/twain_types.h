#pragma once
// The TWAIN 1.x data the acquisition hands to the source manager, in the
// manager's own layout (2-byte packing), and the codes it answers with.
#include <cstdint>
#include <string>
#include <string_view>

namespace veilo {

#pragma pack(push, 2)
struct TwVersion {
  uint16_t majorNum = 0;
  uint16_t minorNum = 0;
  uint16_t language = 0;
  uint16_t country = 0;
  char info[34] = {};
};

struct TwIdentity {
  uint32_t id = 0;  // given by the manager
  TwVersion version;
  uint16_t protocolMajor = 0;
  uint16_t protocolMinor = 0;
  uint32_t supportedGroups = 0;
  char manufacturer[34] = {};
  char productFamily[34] = {};
  char productName[34] = {};
};

// The data of the other calls. Handles and pointers are the platform's size.
struct TwUserInterface {  // TW_USERINTERFACE
  uint16_t showUi = 0;
  uint16_t modalUi = 0;
  void* parent = nullptr;  // the parent window
};

struct TwEvent {  // TW_EVENT
  const void* windowMessage = nullptr;
  uint16_t twainMessage = 0;
};

struct TwCapability {  // TW_CAPABILITY
  uint16_t cap = 0;
  uint16_t conType = 0;
  void* container = nullptr;  // a movable global block
};

struct TwOneValue {  // TW_ONEVALUE, the 6-byte container of one value
  uint16_t itemType = 0;
  uint32_t item = 0;
};

struct TwPendingXfers {  // TW_PENDINGXFERS
  uint16_t count = 0;
  uint32_t reserved = 0;
};
#pragma pack(pop)
static_assert(sizeof(TwVersion) == 42 && sizeof(TwIdentity) == 156, "the manager's structure layout");
static_assert(sizeof(TwOneValue) == 6 && sizeof(TwPendingXfers) == 6, "the manager's structure layout");
static_assert(sizeof(TwUserInterface) == 4 + sizeof(void*) && sizeof(TwEvent) == sizeof(void*) + 2,
              "the manager's structure layout");

// Return codes of the manager's entry.
inline constexpr uint16_t kTwrcSuccess = 0;
inline constexpr uint16_t kTwrcFailure = 1;
inline constexpr uint16_t kTwrcCancel = 3;
inline constexpr uint16_t kTwrcDsEvent = 4;
inline constexpr uint16_t kTwrcNotDsEvent = 5;
inline constexpr uint16_t kTwrcXferDone = 6;

// TWAIN messages a source posts through the event filter.
inline constexpr uint16_t kMsgNull = 0x0000;
inline constexpr uint16_t kMsgXferReady = 0x0101;
inline constexpr uint16_t kMsgCloseDsReq = 0x0102;
inline constexpr uint16_t kMsgCloseDsOk = 0x0103;

// The groups, arguments and messages of the calls made (for the entry that
// makes them).
inline constexpr uint32_t kDgControl = 0x0001;
inline constexpr uint32_t kDgImage = 0x0002;
inline constexpr uint16_t kDatCapability = 0x0001;
inline constexpr uint16_t kDatEvent = 0x0002;
inline constexpr uint16_t kDatIdentity = 0x0003;
inline constexpr uint16_t kDatParent = 0x0004;
inline constexpr uint16_t kDatPendingXfers = 0x0005;
inline constexpr uint16_t kDatUserInterface = 0x0009;
inline constexpr uint16_t kDatImageNativeXfer = 0x0104;
inline constexpr uint16_t kMsgGet = 0x0001;
inline constexpr uint16_t kMsgSet = 0x0006;
inline constexpr uint16_t kMsgOpenDsm = 0x0301;
inline constexpr uint16_t kMsgCloseDsm = 0x0302;
inline constexpr uint16_t kMsgOpenDs = 0x0401;
inline constexpr uint16_t kMsgCloseDs = 0x0402;
inline constexpr uint16_t kMsgUserSelect = 0x0403;
inline constexpr uint16_t kMsgGetDefault = 0x0003;
inline constexpr uint16_t kMsgDisableDs = 0x0501;
inline constexpr uint16_t kMsgEnableDs = 0x0502;
inline constexpr uint16_t kMsgProcessEvent = 0x0601;
inline constexpr uint16_t kMsgEndXfer = 0x0701;
inline constexpr uint16_t kIcapXferMech = 0x0103;
inline constexpr uint16_t kTwonOneValue = 5;
inline constexpr uint16_t kTwtyUint16 = 4;
inline constexpr uint16_t kTwsxNative = 0;

// The program's identity towards the manager (Id 0 until it is opened).
TwIdentity ApplicationIdentity();

// The source manager's library lives in the Windows folder.
inline constexpr char kTwainManagerFileName[] = "TWAIN_32.DLL";
std::string TwainManagerPath(std::string_view windowsFolder, std::string_view fileName = kTwainManagerFileName);

}  // namespace veilo
