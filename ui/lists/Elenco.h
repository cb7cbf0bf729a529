#pragma once
#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace orvex {

class ListForm;

// Turns a host window's template widgets into a scrolling, selectable grid.
// The host owns the widgets and the data; the engine owns the layout. All
// geometry is in twips, placed on whole pixels.
class Elenco {
public:
    // Set by the host before FormMake.
    std::int16_t Border = 0;                                                // 0 means 100
    std::int16_t FormHeight = 0, FormWidth = 0, FormTop = 0, FormLeft = 0;  // 0: default
    std::int16_t FormMaxWidth = 0;
    std::vector<std::string> ButText;
    std::int16_t ButHeight = 0, ButWidth = 0, ButOffset = 0;
    std::int16_t Checks = 0, Pictures = 0, Labels = 0;
    std::vector<std::string> Titles;
    std::vector<std::int16_t> ColumnWidth;
    std::int16_t LineHeight = 0;

    // Kept by the engine.
    std::int16_t Lines = 0;       // rows shown, never more than Line_Count
    std::int16_t FirstLine = 1;   // the line shown in row 1
    std::int16_t ItemSelect = 0;  // the selected line; 0: none
    std::int16_t LineSelect = 0;  // the row showing it; 0: off screen
    std::int16_t FormLoad = 0;    // 1 once FormMake has run

    void Create(ListForm& frmForm);
    void FormMake();
    // Fits the rows to the window and the list. With `keepRows` the rows that
    // no longer fit stay loaded (a resize may bring them back).
    void ListMake(bool keepRows = false);
    void FormRedim();
    void ListRefresh();
    void ListModify(QWidget* Controllo);
    void ListScroll(std::int16_t intValue);
    // Selects the line a cell shows (y: mouse offset in twips within the cell).
    void ListSelect(QWidget* Controllo, double y = 0);
    void ListSelect(double line, double y = 0);
    std::int16_t ListLineNumber(QWidget* Controllo) const;

    std::int16_t rowsLoaded() const { return RowsLoaded; }
    std::int16_t rowsFit() const { return RowsFit; }
    bool refreshing() const { return Refreshing != 0; }
    const std::vector<std::int16_t>& pixelWidths() const { return PixelWidths; }

private:
    // Snaps the window's size to whole rows and its width limits.
    void fitWindow();

    std::vector<std::int16_t> PixelWidths;
    ListForm* frmForm = nullptr;
    std::int16_t RowsLoaded = 0;
    std::int16_t RowsFit = 0;
    std::int16_t Refreshing = 0;
    std::int16_t NextTop = 0;

    void ListLineAdd();
    void ListLineRemove();
    void selectLine(int line, double y);
    // The row of a cell, 0 for a widget that is no cell.
    int rowOf(QWidget* cell) const;
    void paintRow(int row, bool highlighted);
    std::int16_t pixelWidth(int column) const;
    std::int16_t chrome(int tppy) const;
    std::int16_t listFrameTop() const;
    void placeViewport();
    int lineCount() const;
    bool hasButtons() const { return !ButText.empty(); }
};

}  // namespace orvex
