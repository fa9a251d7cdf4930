// PNG_OPT's text entries: added, edited and deleted in the dialog, in the
// written file, and shown by the properties once the file is reopened.
#include <string>
#include <vector>

#include "save_dialogs_fixture_win.h"

namespace veilo::testing {
namespace {

// Typing into an edit as the user does: the selection replaced, so that the edit reports the change.
void Type(HWND dialog, int id, const wchar_t* text) {
  SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

int ListCount(HWND d) { return static_cast<int>(SendDlgItemMessageW(d, IDC_PNG_KEY_LIST, LB_GETCOUNT, 0, 0)); }
int ListSelection(HWND d) {
  return static_cast<int>(SendDlgItemMessageW(d, IDC_PNG_KEY_LIST, LB_GETCURSEL, 0, 0));
}

ModalDriver::Step AddKey(const wchar_t* key) {
  return [key](HWND d) {
    Type(d, IDC_PNG_NEW_KEY, key);
    ClickItem(d, IDC_PNG_ADD);
    return true;
  };
}

TEST_F(SaveDialogsTest, PngTextEntriesAddedEditedAndDeletedAreInTheWrittenFile) {
  DocumentWindow* window = Open(WritePicture("texts.png", 16, 16, 9));
  ASSERT_NE(window, nullptr);
  bool addOffAtFirst = false, addOnWithKey = false, addOffAfterAdding = false, textOffAtFirst = false;
  std::string frameAfterDelete;
  int selectedAfterDelete = -1, countAfterRefusals = -1;
  HWND dialog = nullptr;
  SaveWith({[&](HWND d) {
              dialog = d;
              addOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD));
              textOffAtFirst = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_TEXT)) &&
                               !IsWindowEnabled(GetDlgItem(d, IDC_PNG_DELETE));
              Type(d, IDC_PNG_NEW_KEY, L"Title");
              addOnWithKey = IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD)) != 0;
              ClickItem(d, IDC_PNG_ADD);
              addOffAfterAdding = !IsWindowEnabled(GetDlgItem(d, IDC_PNG_ADD)) &&
                                  WindowTextOf(GetDlgItem(d, IDC_PNG_NEW_KEY)).empty();
              Type(d, IDC_PNG_TEXT, L"写真\r\nline two");
              return true;
            },
            AddKey(L"Author"),
            [&](HWND d) {
              Type(d, IDC_PNG_TEXT, L"Me");
              return true;
            },
            AddKey(L"Gone"),
            [&](HWND d) {
              ClickItem(d, IDC_PNG_DELETE);  // the last entry: the selection moves to the new last
              selectedAfterDelete = ListSelection(d);
              frameAfterDelete = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT_FRAME));
              return true;
            },
            AddKey(L"Title"),  // exists already
            [&](HWND d) {
              // The refused key stays in its field; emptied, Add is off, but its command still comes.
              Type(d, IDC_PNG_NEW_KEY, L"");
              SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_PNG_ADD, BN_CLICKED), 0);
              countAfterRefusals = ListCount(d);
              return true;
            },
            Click(IDOK)});
  EXPECT_TRUE(addOffAtFirst);
  EXPECT_TRUE(textOffAtFirst);
  EXPECT_TRUE(addOnWithKey);
  EXPECT_TRUE(addOffAfterAdding);
  EXPECT_EQ(selectedAfterDelete, 1);
  EXPECT_EQ(frameAfterDelete, "Author");
  EXPECT_EQ(countAfterRefusals, 2);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "すでにそのキーは存在します。");
  EXPECT_EQ(boxes_[1].text, "キー文字列を入力してください。");
  for (const MessageBoxRequest& box : boxes_) {
    EXPECT_EQ(box.caption, "Error!");
    EXPECT_EQ(box.owner, dialog);
  }

  const std::vector<PngTextEntry> expected{{"Title", "写真\nline two"}, {"Author", "Me"}};
  ImageDoc back = Load(window->doc().path);
  ASSERT_EQ(back.pngTextList.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back.pngTextList[i].key, expected[i].key);
    EXPECT_EQ(back.pngTextList[i].text, expected[i].text);
    EXPECT_EQ(window->doc().pngTextList[i].text, expected[i].text);
  }

  // Reopened: the first entry is shown; a deletion that is cancelled leaves the document's list.
  std::string frame, text;
  size_t typedKey = 0;
  SaveWith({[&](HWND d) {
              frame = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT_FRAME));
              text = WindowTextOf(GetDlgItem(d, IDC_PNG_TEXT));
              Type(d, IDC_PNG_NEW_KEY, std::wstring(100, L'k').c_str());
              typedKey = WindowTextOf(GetDlgItem(d, IDC_PNG_NEW_KEY)).size();
              ClickItem(d, IDC_PNG_DELETE);
              return ListCount(d) == 1;
            },
            Click(IDCANCEL)});
  EXPECT_EQ(frame, "Title");
  EXPECT_EQ(text, "写真\r\nline two");
  EXPECT_EQ(typedKey, 79u);  // a key's most characters
  EXPECT_EQ(window->doc().pngTextList.size(), 2u);
}

TEST_F(SaveDialogsTest, TextEntriesWrittenThroughTheDialogAreWhatThePropertiesShowOnceReopened) {
  const std::string path = WritePicture("noted.png", 20, 10, 4);
  ASSERT_NE(Open(path), nullptr);
  SaveWith({AddKey(L"Comment"),
            [](HWND d) {
              Type(d, IDC_PNG_TEXT, L"first line\r\n二行目");
              return true;
            },
            AddKey(L"Software"), Click(IDOK)});
  SendMessageW(app().mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Active()->hwnd()), 0);
  Pump();
  ASSERT_NE(Open(path), nullptr);
  int keys = -1;
  std::string group, text;
  ModalDriver driver({[&](HWND d) {
    keys = static_cast<int>(SendDlgItemMessageW(d, IDC_PROP_KEYS, LB_GETCOUNT, 0, 0));
    group = WindowTextOf(GetDlgItem(d, IDC_PROP_TEXT_GROUP));
    text = WindowTextOf(GetDlgItem(d, IDC_PROP_TEXT));
    ClickItem(d, IDOK);
    return true;
  }});
  Command(cmd::kProperties);
  EXPECT_TRUE(driver.Finished());
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(group, "Comment");
  EXPECT_EQ(text, "first line\r\n二行目");
}


}  // namespace
}  // namespace veilo::testing
