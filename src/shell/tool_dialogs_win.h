#pragma once
// The picture tools of a document window: the properties dialog (PROP_DLG)
// and resize-and-paste as a new picture (RESIZE_DLG).
namespace veilo {

struct App;
class DocumentWindow;

void ShowProperties(App& app, DocumentWindow& window);
void ResizePasteCommand(App& app, DocumentWindow& window);

}  // namespace veilo
