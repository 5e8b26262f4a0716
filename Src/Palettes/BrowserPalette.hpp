#pragma once

#include "ACAPinc.h"
#include "DGBrowser.hpp"
#include "DGModule.hpp"
#include "Ref.hpp"

// What the browser palette loads when it is created.
enum class BrowserMode : Int32 { StartPage = 0, GeneratePlan = 4 };

// The one palette that shows the web application. It registers the "ACAPI" commands in its page
// and tells the page about selection changes.
class BrowserPalette : public DG::Palette, public DG::PanelObserver {
public:
    // What registers the "ACAPI" commands in a new page; the entry points set it before any palette
    // exists, so the palettes need not know the commands.
    using CommandRegistration = void (*)(DG::Browser& browser);
    static void SetCommandRegistration(CommandRegistration registration);

    static void Create(BrowserMode mode);
    static void Destroy();
    static bool Exists();
    // Throws GS::NullPointerException when no palette exists.
    static BrowserPalette& GetInstance();
    static BrowserMode GetMode();

    ~BrowserPalette() override;

    void Show();
    void LoadUrl(const GS::UniString& address);
    // Never throws: a failing script is written to the report window.
    void ExecuteScript(const GS::UniString& script);
    // Throws GS::Exception with the page's error, for callers that retry.
    void RunScript(const GS::UniString& script);
    void SetTitleSuffix(const GS::UniString& suffix);

    static GSErrCode PaletteControlCallback(Int32 referenceID, API_PaletteMessageID messageID,
                                            GS::IntPtr param);
    static GSErrCode SelectionChangeHandler(const API_Neig* selElemNeig);

private:
    BrowserPalette();

    void PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) override;
    void PanelResized(const DG::PanelResizeEvent& event) override;

    DG::Browser browser;
};
