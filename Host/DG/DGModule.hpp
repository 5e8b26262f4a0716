#pragma once

#include "GSGuid.hpp"
#include "UniString.hpp"

#include <string>
#include <vector>

namespace StandIn {
class DialogDriver;
}

// The dialog library's palettes, items and observers, as far as the add-on's palettes use them. Items
// and panels come from the module's dialog resources; the driver (StandIn/DialogDriver.hpp) plays the
// user on them.
namespace DG {

class Item;
class ButtonItem;
class Panel;

class HOST_API ButtonClickEvent {
public:
    explicit ButtonClickEvent(ButtonItem& source) : source(&source) {}
    ButtonItem* GetSource() const { return source; }

private:
    ButtonItem* source;
};

class HOST_API PanelCloseRequestEvent {
public:
    explicit PanelCloseRequestEvent(Panel& source) : source(&source) {}
    Panel* GetSource() const { return source; }

private:
    Panel* source;
};

class HOST_API PanelResizeEvent {
public:
    PanelResizeEvent(Panel& source, short horizontal, short vertical)
        : source(&source), horizontal(horizontal), vertical(vertical) {}
    Panel* GetSource() const { return source; }
    short GetHorizontalChange() const { return horizontal; }
    short GetVerticalChange() const { return vertical; }

private:
    Panel* source;
    short horizontal;
    short vertical;
};

class HOST_API PopUpChangeEvent {
public:
    explicit PopUpChangeEvent(Item& source) : source(&source) {}
    Item* GetSource() const { return source; }

private:
    Item* source;
};

class HOST_API ButtonItemObserver {
public:
    virtual ~ButtonItemObserver() = default;
    virtual void ButtonClicked(const ButtonClickEvent&) {}
};

class HOST_API PanelObserver {
public:
    virtual ~PanelObserver() = default;
    virtual void PanelCloseRequested(const PanelCloseRequestEvent&, bool* /*accepted*/) {}
    virtual void PanelResized(const PanelResizeEvent&) {}
};

class HOST_API PopUpObserver {
public:
    virtual ~PopUpObserver() = default;
    virtual void PopUpChanged(const PopUpChangeEvent&) {}
};

class HOST_API Panel {
public:
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    virtual ~Panel();

    void Attach(PanelObserver& observer);
    void Detach(PanelObserver& observer);

    void EnableItems();
    void DisableItems();

    // The item with the id, or null.
    virtual Item* GetItem(short itemId) const;
    short GetWidth() const { return width; }
    short GetHeight() const { return height; }

protected:
    Panel(GSResModule resModule, short resId);

private:
    friend class Item;
    friend class Dialog;
    friend class StandIn::DialogDriver;

    struct ItemResource {
        std::string kind;
        short width = 0;
        short height = 0;
        GS::UniString text;
    };

    std::vector<ItemResource> itemResources; // item k is itemResources[k - 1]
    std::vector<Item*> items;
    std::vector<PanelObserver*> observers;
    short width = 0;
    short height = 0;
    bool movingItems = false;
};

class HOST_API Item {
public:
    // The panel's dialog resource must have the item; the kinds below check theirs too.
    Item(const Panel& panel, short itemId);
    Item(const Item&) = delete;
    Item& operator=(const Item&) = delete;
    virtual ~Item();

    short GetId() const { return id; }
    Panel& GetPanel() const { return panel; }
    void Enable() { enabled = true; }
    void Disable() { enabled = false; }
    bool IsEnabled() const { return enabled; }
    // Only between the dialog's BeginMoveResizeItems and EndMoveResizeItems.
    void Resize(short horizontal, short vertical);
    short GetWidth() const { return width; }
    short GetHeight() const { return height; }

protected:
    void RequireKind(const char* kind) const;
    const GS::UniString& ResourceText() const;

private:
    Panel& panel;
    short id;
    bool enabled = true;
    short width = 0;
    short height = 0;
};

class HOST_API ButtonItem : public Item {
protected:
    ButtonItem(const Panel& panel, short itemId);

public:
    void Attach(ButtonItemObserver& observer);
    void Detach(ButtonItemObserver& observer);

private:
    friend class StandIn::DialogDriver;

    std::vector<ButtonItemObserver*> observers;
};

class HOST_API Button : public ButtonItem {
public:
    Button(const Panel& panel, short itemId);

    GS::UniString GetText() const { return ResourceText(); }
};

class HOST_API LeftText : public Item {
public:
    LeftText(const Panel& panel, short itemId);

    void SetText(const GS::UniString& newText) { text = newText; }
    GS::UniString GetText() const { return text; }

private:
    GS::UniString text;
};

class HOST_API Dialog : public Panel {
public:
    void BeginMoveResizeItems();
    void EndMoveResizeItems();

    void SetTitle(const GS::UniString& newTitle) { title = newTitle; }
    GS::UniString GetTitle() const { return title; }

protected:
    // Throws GS::Exception when the module has no such dialog.
    Dialog(GSResModule resModule, short resId);

private:
    GS::UniString title;
};

class HOST_API ModelessBase : public Dialog {
public:
    enum { First = -32768, Last = -32766 };

    // refDialId: where the host places the window; First keeps its last place.
    void Show(short refDialId = First);
    void Hide();
    bool IsVisible() const { return visible; }
    void BeginEventProcessing();
    void EndEventProcessing();

protected:
    ModelessBase(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid);

private:
    friend class StandIn::DialogDriver;

    GS::Guid guid;
    bool visible = false;
    bool processingEvents = false;
    short lastShowPosition = 0;
};

class HOST_API Palette : public ModelessBase {
public:
    explicit Palette(GSResModule resModule, short resId, GSResModule dialIconResModule);
    explicit Palette(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid);
    ~Palette() override;
};

} // namespace DG
