#pragma once

#include "ACAPinc.h"
#include "DGModule.hpp"
#include "Ref.hpp"

// The small palette the menu command toggles: Generate Plan lets the user click a room and hands its
// boundary to the web application; Download and Upload open those pages.
class GeneratePlanPalette : public DG::Palette,
                            public DG::PanelObserver,
                            public DG::ButtonItemObserver,
                            public DG::PopUpObserver {
public:
    static void Create();
    static void Destroy();
    static bool Exists();
    // Throws GS::NullPointerException when no palette exists.
    static GeneratePlanPalette& GetInstance();

    ~GeneratePlanPalette() override;

    void Show();
    void Hide();
    void SetStatus(const GS::UniString& text);

    // The zone JSON kept for the page's getSelection (StoredZoneData), only while the palette exists.
    static void StoreZoneData(const GS::UniString& json);
    static void ClearStoredZoneData();

    static GSErrCode PaletteControlCallback(Int32 referenceID, API_PaletteMessageID messageID,
                                            GS::IntPtr param);

private:
    struct PageButton;
    static const PageButton DownloadButton;
    static const PageButton UploadButton;

    GeneratePlanPalette();

    void PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) override;
    void ButtonClicked(const DG::ButtonClickEvent& event) override;

    void OnGeneratePlanButtonClicked();
    void OnPageButtonClicked(const PageButton& button);

    DG::Button generatePlanButton;
    DG::Button downloadButton;
    DG::Button uploadButton;
    DG::LeftText statusText;
    DG::LeftText versionText;
};
