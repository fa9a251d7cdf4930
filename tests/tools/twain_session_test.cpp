#include "tools/twain_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "doc/generated_names.h"

namespace veilo {
namespace {

constexpr WindowRef kFrame = 0x1234;

// A source manager that answers from a script and writes down every call.
class ScriptedEntry : public TwainEntry {
 public:
  struct Event {
    uint16_t rc;
    uint16_t message;
  };
  struct Transfer {
    uint16_t rc;
    TwainPicture picture;
    uint16_t pending;
  };

  bool libraryPresent = true;
  std::map<std::string, uint16_t> failing;  // call name -> the code it answers instead of success
  std::deque<Event> events;
  std::deque<Transfer> transfers;
  std::set<TwainPicture> unusable;
  std::vector<std::string> calls;
  std::vector<TwainUserInterface> interfaces;

  bool LoadManager() override {
    return Call("Load", libraryPresent ? kTwrcSuccess : kTwrcFailure) == kTwrcSuccess;
  }
  void UnloadManager() override { calls.push_back("Unload"); }
  uint16_t OpenManager(TwIdentity&, WindowRef parent) override {
    return CallWithParent("OpenManager", parent);
  }
  uint16_t CloseManager(TwIdentity&, WindowRef parent) override {
    return CallWithParent("CloseManager", parent);
  }
  uint16_t GetDefaultSource(TwIdentity&, TwIdentity& source) override {
    source.id = 0;
    std::strcpy(source.productName, "Default scanner");
    return Call("GetDefault");
  }
  uint16_t UserSelectSource(TwIdentity&, TwIdentity& source) override {
    const uint16_t rc = Call("UserSelect");
    if (rc == kTwrcSuccess) std::strcpy(source.productName, "Chosen scanner");
    return rc;
  }
  uint16_t OpenSource(TwIdentity&, TwIdentity& source) override {
    const uint16_t rc = Call("OpenSource");
    if (rc == kTwrcSuccess) source.id = 7;
    return rc;
  }
  uint16_t CloseSource(TwIdentity&, TwIdentity&) override { return Call("CloseSource"); }
  uint16_t SetNativeTransfer(TwIdentity&, TwIdentity&) override { return Call("SetNative"); }
  uint16_t EnableSource(TwIdentity&, TwIdentity&, const TwainUserInterface& ui) override {
    interfaces.push_back(ui);
    return Call("Enable");
  }
  uint16_t DisableSource(TwIdentity&, TwIdentity&, const TwainUserInterface& ui) override {
    interfaces.push_back(ui);
    return Call("Disable");
  }
  uint16_t ProcessEvent(TwIdentity&, TwIdentity&, const void*, uint16_t& message) override {
    calls.push_back("Event");
    if (events.empty()) return kTwrcNotDsEvent;
    const Event e = events.front();
    events.pop_front();
    message = e.message;
    return e.rc;
  }
  uint16_t NativeTransfer(TwIdentity&, TwIdentity&, TwainPicture& picture) override {
    calls.push_back("Transfer");
    if (transfers.empty()) return kTwrcFailure;
    picture = transfers.front().picture;
    return transfers.front().rc;
  }
  uint16_t EndTransfer(TwIdentity&, TwIdentity&, uint16_t& pending) override {
    calls.push_back("EndTransfer");
    pending = transfers.empty() ? 0 : transfers.front().pending;
    if (!transfers.empty()) transfers.pop_front();
    return kTwrcSuccess;
  }
  bool PictureUsable(TwainPicture picture) override { return unusable.count(picture) == 0; }

 private:
  uint16_t Call(const std::string& name, uint16_t rc = kTwrcSuccess) {
    calls.push_back(name);
    const auto f = failing.find(name);
    return f == failing.end() ? rc : f->second;
  }
  uint16_t CallWithParent(const std::string& name, WindowRef parent) {
    EXPECT_EQ(parent, kFrame) << name;
    return Call(name);
  }
};

// The windows: a wait that plays a script of user actions and window
// messages, bounded by the script's length.
class ScriptedHost : public TwainHost {
 public:
  enum class Action : uint8_t { kMessage, kClose };
  explicit ScriptedHost(ScriptedEntry& entry) : entry_(entry) {}
  TwainSession* session = nullptr;
  std::deque<Action> script;
  std::vector<std::string> documents;
  int dispatched = 0;

  void BeginWait() override {
    entry_.calls.push_back("BeginWait");
    session->AbortDialogCreated();
  }
  void WaitForPictures(TwainSession& s) override {
    entry_.calls.push_back("Wait");
    while (!s.WaitDone() && !script.empty()) {
      const Action a = script.front();
      script.pop_front();
      if (a == Action::kClose) {
        s.ClosePressed();
      } else if (!s.FilterMessage(nullptr)) {
        ++dispatched;
      }
    }
    EXPECT_TRUE(s.WaitDone()) << "the wait would not end";
  }
  void EndWait() override { entry_.calls.push_back("EndWait"); }
  void PumpMessagesOnce() override { entry_.calls.push_back("Pump"); }
  void TellAbortDialog(TwainPicture picture) override { session->PictureArrived(picture); }
  bool MakeDocument(TwainPicture picture) override {
    entry_.calls.push_back("MakeDocument");
    if (entry_.unusable.count(picture) != 0) return false;  // cannot be locked: no document
    documents.push_back(names_.NextScanName());
    return true;
  }

 private:
  ScriptedEntry& entry_;
  GeneratedNames names_;
};

class TwainTest : public ::testing::Test {
 protected:
  TwainTest() { host_.session = &session_; }
  using Calls = std::vector<std::string>;
  void ExpectAllClosed() {
    EXPECT_FALSE(session_.managerOpen());
    EXPECT_FALSE(session_.sourceOpen());
    EXPECT_FALSE(session_.sourceEnabled());
    EXPECT_EQ(session_.acquireState(), 0);
  }
  ScriptedEntry entry_;
  ScriptedHost host_{entry_};
  TwainSession session_{entry_, host_, kFrame};
};

const std::vector<std::string> kStart = {"BeginWait", "Load",   "OpenManager", "OpenSource",
                                         "SetNative", "Enable", "Wait"};
std::vector<std::string> Then(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(TwainIdentity, TheProgramsIdentity) {
  const TwIdentity id = ApplicationIdentity();
  EXPECT_EQ(uint32_t{id.id}, 0u);  // copies: the packed fields may sit unaligned
  EXPECT_EQ(int{id.version.majorNum}, 1);
  EXPECT_EQ(int{id.version.minorNum}, 703);
  EXPECT_EQ(int{id.version.language}, 13);
  EXPECT_EQ(int{id.version.country}, 1);
  EXPECT_STREQ(id.version.info, "Veilo 2.0  10/14/2005");
  EXPECT_EQ(int{id.protocolMajor}, 1);
  EXPECT_EQ(int{id.protocolMinor}, 7);
  EXPECT_EQ(uint32_t{id.supportedGroups}, 3u);
  EXPECT_STREQ(id.productFamily, "Veilo");
  EXPECT_STREQ(id.productName, "Veilo");
  EXPECT_NE(id.manufacturer[0], '\0');
}

TEST(TwainIdentity, ManagerInTheWindowsFolder) {
  EXPECT_EQ(TwainManagerPath("C:\\WINDOWS"), "C:\\WINDOWS\\TWAIN_32.DLL");
  EXPECT_EQ(TwainManagerPath("C:\\"), "C:\\TWAIN_32.DLL");
  EXPECT_EQ(TwainManagerPath("Z:\\tmp\\win", "twain_32.dll"), "Z:\\tmp\\win\\twain_32.dll");
}

TEST_F(TwainTest, WithoutTheManagerBothCommandsDoNothing) {
  entry_.libraryPresent = false;
  session_.SelectSource();
  EXPECT_EQ(entry_.calls, (Calls{"Load"}));
  entry_.calls.clear();
  session_.Acquire();
  EXPECT_EQ(entry_.calls, (Calls{"BeginWait", "Load", "EndWait"}));
  EXPECT_TRUE(host_.documents.empty());
}

TEST_F(TwainTest, SourceSelection) {
  session_.SelectSource();
  EXPECT_EQ(entry_.calls,
            (Calls{"Load", "OpenManager", "GetDefault", "UserSelect", "CloseManager", "Unload"}));
  EXPECT_STREQ(session_.sourceIdentity().productName, "Chosen scanner");
  ExpectAllClosed();
}

TEST_F(TwainTest, SourceSelectionCancelledKeepsTheSource) {
  entry_.failing["UserSelect"] = kTwrcCancel;
  session_.SelectSource();
  EXPECT_EQ(entry_.calls,
            (Calls{"Load", "OpenManager", "GetDefault", "UserSelect", "CloseManager", "Unload"}));
  EXPECT_STREQ(session_.sourceIdentity().productName, "");
}

TEST_F(TwainTest, AManagerThatDoesNotOpenIsUnloaded) {
  entry_.failing["OpenManager"] = kTwrcFailure;
  session_.SelectSource();
  EXPECT_EQ(entry_.calls, (Calls{"Load", "OpenManager", "Unload"}));
  ExpectAllClosed();
}

TEST_F(TwainTest, OnePicture) {
  entry_.events = {{kTwrcNotDsEvent, kMsgNull}, {kTwrcDsEvent, kMsgXferReady}};
  entry_.transfers = {{kTwrcXferDone, 100, 0}};
  host_.script = {ScriptedHost::Action::kMessage, ScriptedHost::Action::kMessage};
  session_.Acquire();
  EXPECT_EQ(entry_.calls, Then(kStart, {"Event", "Event", "Pump", "Transfer", "EndTransfer", "Disable",
                                        "CloseSource", "CloseManager", "Unload", "MakeDocument", "EndWait"}));
  EXPECT_EQ(host_.documents, (std::vector<std::string>{"TWAIN000"}));
  EXPECT_EQ(host_.dispatched, 1);  // the message the source did not take
  ASSERT_EQ(entry_.interfaces.size(), 2u);
  EXPECT_EQ(entry_.interfaces[0].showUi, 1);
  EXPECT_EQ(entry_.interfaces[0].modalUi, 0);
  EXPECT_EQ(entry_.interfaces[0].parent, kFrame);
  EXPECT_EQ(entry_.interfaces[1].showUi, 255);
  ExpectAllClosed();
  EXPECT_EQ(uint32_t{session_.sourceIdentity().id}, 0u);
  EXPECT_FALSE(session_.documentMade());  // cleared after the wait
}

TEST_F(TwainTest, TwoPicturesInOneAcquisition) {
  entry_.events = {{kTwrcDsEvent, kMsgXferReady}};
  entry_.transfers = {{kTwrcXferDone, 100, 1}, {kTwrcXferDone, 200, 0}};
  host_.script = {ScriptedHost::Action::kMessage};
  session_.Acquire();
  EXPECT_EQ(entry_.calls, Then(kStart, {"Event", "Pump", "Transfer", "EndTransfer", "MakeDocument", "Pump",
                                        "Transfer", "EndTransfer", "Disable", "CloseSource", "CloseManager",
                                        "Unload", "MakeDocument", "EndWait"}));
  EXPECT_EQ(host_.documents, (std::vector<std::string>{"TWAIN000", "TWAIN001"}));
  ExpectAllClosed();
  // The next acquisition opens everything again and counts on.
  entry_.calls.clear();
  entry_.events = {{kTwrcDsEvent, kMsgXferReady}};
  entry_.transfers = {{kTwrcXferDone, 300, 0}};
  host_.script = {ScriptedHost::Action::kMessage};
  session_.Acquire();
  EXPECT_EQ(host_.documents.back(), "TWAIN002");
}

TEST_F(TwainTest, StartFailuresCloseWhatWasOpened) {
  struct Case {
    const char* failing;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {"OpenManager", {"BeginWait", "Load", "OpenManager", "Unload", "EndWait"}},
      {"OpenSource", {"BeginWait", "Load", "OpenManager", "OpenSource", "CloseManager", "Unload", "EndWait"}},
      {"SetNative",
       {"BeginWait", "Load", "OpenManager", "OpenSource", "SetNative", "CloseSource", "CloseManager",
        "Unload", "EndWait"}},
      {"Enable",
       {"BeginWait", "Load", "OpenManager", "OpenSource", "SetNative", "Enable", "CloseSource",
        "CloseManager", "Unload", "EndWait"}},
  };
  for (const Case& c : cases) {
    ScriptedEntry entry;
    ScriptedHost host(entry);
    TwainSession session(entry, host, kFrame);
    host.session = &session;
    entry.failing[c.failing] = kTwrcFailure;
    session.Acquire();
    EXPECT_EQ(entry.calls, c.calls) << c.failing;
    EXPECT_FALSE(session.managerOpen()) << c.failing;
    EXPECT_FALSE(session.sourceOpen()) << c.failing;
    EXPECT_TRUE(host.documents.empty()) << c.failing;
  }
}

TEST_F(TwainTest, TheSourceAsksToClose) {
  for (const uint16_t message : {kMsgCloseDsReq, kMsgCloseDsOk}) {
    ScriptedEntry entry;
    ScriptedHost host(entry);
    TwainSession session(entry, host, kFrame);
    host.session = &session;
    entry.events = {{kTwrcDsEvent, message}};
    host.script = {ScriptedHost::Action::kMessage};
    session.Acquire();
    EXPECT_EQ(entry.calls,
              Then(kStart, {"Event", "Disable", "CloseSource", "CloseManager", "Unload", "EndWait"}));
    EXPECT_TRUE(host.documents.empty());
    EXPECT_FALSE(session.managerOpen());
  }
}

TEST_F(TwainTest, ClosePressed) {
  host_.script = {ScriptedHost::Action::kMessage, ScriptedHost::Action::kClose};
  session_.Acquire();
  EXPECT_EQ(entry_.calls,
            Then(kStart, {"Event", "Disable", "CloseSource", "CloseManager", "Unload", "EndWait"}));
  ExpectAllClosed();
}

TEST_F(TwainTest, CloseWhenTheSourceWillNotDisable) {
  entry_.failing["Disable"] = kTwrcFailure;
  host_.script = {ScriptedHost::Action::kClose};
  session_.Acquire();
  EXPECT_EQ(entry_.calls, Then(kStart, {"Disable", "EndWait"}));
  EXPECT_TRUE(session_.sourceEnabled());  // still up; the wait ends all the same
  // Closing is refused in every state that does not allow it.
  entry_.calls.clear();
  EXPECT_FALSE(session_.CloseSource());
  EXPECT_FALSE(session_.CloseManager());
  EXPECT_TRUE(entry_.calls.empty());
  // The next acquisition finds the source open and enabled and goes straight to the wait.
  entry_.failing.clear();
  entry_.events = {{kTwrcDsEvent, kMsgXferReady}};
  entry_.transfers = {{kTwrcXferDone, 100, 0}};
  host_.script = {ScriptedHost::Action::kMessage};
  session_.Acquire();
  EXPECT_EQ(entry_.calls,
            (Calls{"BeginWait", "SetNative", "Wait", "Event", "Pump", "Transfer", "EndTransfer", "Disable",
                   "CloseSource", "CloseManager", "Unload", "MakeDocument", "EndWait"}));
  EXPECT_EQ(host_.documents, (std::vector<std::string>{"TWAIN000"}));
}

TEST_F(TwainTest, TransferResults) {
  struct Case {
    const char* what;
    std::deque<ScriptedEntry::Transfer> transfers;
    std::set<TwainPicture> unusable;
    std::vector<std::string> afterStart;
    std::vector<std::string> documents;
    bool closed;
  };
  const Case cases[] = {
      {"a failed transfer closes and makes nothing",
       {{kTwrcFailure, 0, 0}},
       {},
       {"Event", "Pump", "Transfer", "EndTransfer", "Disable", "CloseSource", "CloseManager", "Unload",
        "EndWait"},
       {},
       true},
      {"a cancelled one with more pending goes on",
       {{kTwrcCancel, 0, 1}, {kTwrcXferDone, 100, 0}},
       {},
       {"Event", "Pump", "Transfer", "EndTransfer", "Pump", "Transfer", "EndTransfer", "Disable",
        "CloseSource", "CloseManager", "Unload", "MakeDocument", "EndWait"},
       {"TWAIN000"},
       true},
      {"a handle below 32 is not handed on; Close ends the wait",
       {{kTwrcXferDone, 5, 0}},
       {},
       {"Event", "Pump", "Transfer", "EndTransfer", "Disable", "CloseSource", "CloseManager", "Unload",
        "EndWait"},
       {},
       true},
      {"a handle that cannot be locked leaves the source up and makes nothing",
       {{kTwrcXferDone, 100, 0}},
       {100},
       {"Event", "Pump", "Transfer", "EndTransfer", "MakeDocument", "EndWait"},
       {},
       false},
  };
  for (const Case& c : cases) {
    ScriptedEntry entry;
    ScriptedHost host(entry);
    TwainSession session(entry, host, kFrame);
    host.session = &session;
    entry.events = {{kTwrcDsEvent, kMsgXferReady}};
    entry.transfers = c.transfers;
    entry.unusable = c.unusable;
    host.script = {ScriptedHost::Action::kMessage, ScriptedHost::Action::kClose};
    session.Acquire();
    EXPECT_EQ(entry.calls, Then(kStart, c.afterStart)) << c.what;
    EXPECT_EQ(host.documents, c.documents) << c.what;
    EXPECT_EQ(!session.managerOpen() && !session.sourceOpen(), c.closed) << c.what;
    EXPECT_EQ(session.acquireState(), 0) << c.what;
  }
}

TEST_F(TwainTest, MessagesPassUntouchedWhileNothingIsOpen) {
  entry_.events = {{kTwrcDsEvent, kMsgXferReady}};
  EXPECT_FALSE(session_.FilterMessage(nullptr));  // nothing open: the source is not even asked
  EXPECT_TRUE(entry_.calls.empty());
}

}  // namespace
}  // namespace veilo
