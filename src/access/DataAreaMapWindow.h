// The data-area map beside the request grids: the input and the output area one above the
// other, each with its summary and the rows it leaves out, the legend, and the picture saved
// as a PNG file on request. It shows what it is given; the request dialog keeps it up to date.
#pragma once

#include "access/DataAreaMap.h"

#include <QDialog>

class QLabel;
class QScrollArea;

namespace veldrin {

class DataAreaMapView;
class FileChooser;
class Prompts;
class StringTable;
class VeldrinButton;

class DataAreaMapWindow : public QDialog {
    Q_OBJECT

public:
    DataAreaMapWindow(const StringTable& strings, Prompts& prompts, FileChooser& files, QWidget* parent);

    // Copies the texts from the string table; the configuration's name goes into the title,
    // and the picture is first offered to be saved in its folder.
    void setTexts(const QString& configurationName, const QString& configurationDir);
    // Shows the map of a table, read from table until the next call for its kind.
    void setMap(TableKind kind, const AreaMap& map, const RequestTable& table);
    // Outlines a row's span in its area, and brings the area into sight.
    void setCurrentRow(TableKind kind, int row);
    // Marks the read rows a test poll heard from and those it did not, and says so in the
    // legend; empty lists clear the marks.
    void showPollResults(const std::vector<int>& answered, const std::vector<int>& silent);

    DataAreaMapView* view(TableKind kind) const;
    // Asks where to save the picture, and saves it there; a failure is reported.
    void saveAsPng();
    // Both areas with their titles, summaries and the legend, as saved.
    QImage picture() const;

    // Places the window beside parent, on its right where the screen has room, else on its left.
    void placeBeside(const QWidget& parent);

Q_SIGNALS:
    // The user picked the span of a row in one of the areas.
    void rowPicked(TableKind kind, int row);

private:
    struct Area {
        QLabel* title;
        QLabel* summary;
        DataAreaMapView* view;
    };
    Area& area(TableKind kind) { return kind == TableKind::Read ? m_input : m_output; }
    const Area& area(TableKind kind) const { return kind == TableKind::Read ? m_input : m_output; }
    Area addArea(TableKind kind, const QString& prefix, QWidget* content);
    void showLegend();

    const StringTable& m_strings;
    Prompts& m_prompts;
    FileChooser& m_files;
    QString m_configurationName;
    QString m_configurationDir;

    QScrollArea* SB_Map;
    QWidget* m_content;
    Area m_input;
    Area m_output;
    QLabel* L_Legend;
    VeldrinButton* Btn_SavePng;
    VeldrinButton* Btn_Close;
};

} // namespace veldrin
