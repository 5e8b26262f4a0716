#include "DGModule.hpp"

#include "GSException.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/Palettes.hpp"

#include <algorithm>

namespace {

template <typename T>
void Remove(std::vector<T*>& list, T* entry) {
    list.erase(std::remove(list.begin(), list.end(), entry), list.end());
}

template <typename T>
void AddOnce(std::vector<T*>& list, T* entry) {
    if (std::find(list.begin(), list.end(), entry) == list.end()) {
        list.push_back(entry);
    }
}

const StandIn::DialogResource& DialogOf(GSResModule resModule, short resId) {
    const auto& resources = StandIn::Host().resources;
    auto module = resources.find(resModule);
    if (module != resources.end()) {
        auto dialog = module->second.dialogs.find(resId);
        if (dialog != module->second.dialogs.end()) {
            return dialog->second;
        }
    }
    throw GS::Exception(GS::UniString::Printf("Dialog resource %d not found in module %d", resId,
                                              static_cast<Int32>(resModule)));
}

} // namespace

namespace DG {

Panel::Panel(GSResModule resModule, short resId) {
    const StandIn::DialogResource& dialog = DialogOf(resModule, resId);
    for (const StandIn::DialogItemResource& item : dialog.items) {
        itemResources.push_back(
            {item.kind, static_cast<short>(item.width), static_cast<short>(item.height), item.text});
    }
    width = static_cast<short>(dialog.width);
    height = static_cast<short>(dialog.height);
}

Panel::~Panel() = default;

void Panel::Attach(PanelObserver& observer) {
    AddOnce(observers, &observer);
}
void Panel::Detach(PanelObserver& observer) {
    Remove(observers, &observer);
}

void Panel::EnableItems() {
    for (short id = 1; Item* item = GetItem(id); ++id) {
        item->Enable();
    }
}

void Panel::DisableItems() {
    for (short id = 1; Item* item = GetItem(id); ++id) {
        item->Disable();
    }
}

Item* Panel::GetItem(short itemId) const {
    for (Item* item : items) {
        if (item->GetId() == itemId) {
            return item;
        }
    }
    return nullptr;
}

Item::Item(const Panel& owner, short itemId) : panel(const_cast<Panel&>(owner)), id(itemId) {
    if (itemId < 1 || static_cast<size_t>(itemId) > panel.itemResources.size()) {
        throw GS::IllegalArgumentException(GS::UniString::Printf("The dialog has no item %d", itemId));
    }
    width = panel.itemResources[static_cast<size_t>(itemId) - 1].width;
    height = panel.itemResources[static_cast<size_t>(itemId) - 1].height;
    panel.items.push_back(this);
}

Item::~Item() {
    Remove(panel.items, this);
}

void Item::Resize(short horizontal, short vertical) {
    if (!panel.movingItems) {
        throw GS::LogicErrorException("An item was resized outside BeginMoveResizeItems/EndMoveResizeItems");
    }
    width = static_cast<short>(width + horizontal);
    height = static_cast<short>(height + vertical);
}

void Item::RequireKind(const char* kind) const {
    const std::string& actual = panel.itemResources[static_cast<size_t>(id) - 1].kind;
    if (actual != kind) {
        throw GS::IllegalArgumentException(
            GS::UniString::Printf("Dialog item %d is a %s, not a %s", id, actual.c_str(), kind));
    }
}

const GS::UniString& Item::ResourceText() const {
    return panel.itemResources[static_cast<size_t>(id) - 1].text;
}

ButtonItem::ButtonItem(const Panel& panel, short itemId) : Item(panel, itemId) {}

void ButtonItem::Attach(ButtonItemObserver& observer) {
    AddOnce(observers, &observer);
}
void ButtonItem::Detach(ButtonItemObserver& observer) {
    Remove(observers, &observer);
}

Button::Button(const Panel& panel, short itemId) : ButtonItem(panel, itemId) {
    RequireKind("Button");
}

LeftText::LeftText(const Panel& panel, short itemId) : Item(panel, itemId), text(ResourceText()) {
    RequireKind("LeftText");
}

Dialog::Dialog(GSResModule resModule, short resId)
    : Panel(resModule, resId), title(DialogOf(resModule, resId).title) {}

void Dialog::BeginMoveResizeItems() {
    movingItems = true;
}
void Dialog::EndMoveResizeItems() {
    movingItems = false;
}

ModelessBase::ModelessBase(GSResModule resModule, short resId, GSResModule, const GS::Guid& guid)
    : Dialog(resModule, resId), guid(guid) {}

void ModelessBase::Show(short refDialId) {
    StandIn::Faults::ThrowIfArmed("DG::Palette::Show");
    lastShowPosition = refDialId;
    visible = true;
}

void ModelessBase::Hide() {
    visible = false;
}
void ModelessBase::BeginEventProcessing() {
    processingEvents = true;
}
void ModelessBase::EndEventProcessing() {
    processingEvents = false;
}

Palette::Palette(GSResModule resModule, short resId, GSResModule dialIconResModule)
    : Palette(resModule, resId, dialIconResModule, GS::Guid()) {}

Palette::Palette(GSResModule resModule, short resId, GSResModule dialIconResModule, const GS::Guid& guid)
    : ModelessBase((StandIn::Faults::ThrowIfArmed("DG::Palette"), resModule), resId, dialIconResModule,
                   guid) {
    StandIn::LivePalettes().push_back(this);
}

Palette::~Palette() {
    Remove(StandIn::LivePalettes(), this);
}

} // namespace DG
