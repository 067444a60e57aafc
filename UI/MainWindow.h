#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QShortcut;

namespace Ui {

class GLWidget;
class MainWindowPresenter;
class OperationMapper;

// The main window: menus with every action, the status bar, the 3D view
// and, through its presenter, the console. It builds the actions and
// forwards them; the presenter and the view do the work.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    MainWindowPresenter *presenter() const { return m_presenter.get(); }
    GLWidget *view() const { return m_view; }
    QAction *action(const QString &objectName) const;
    QAction *undoAction() const { return action(QStringLiteral("actionUndo")); }
    QAction *redoAction() const { return action(QStringLiteral("actionRedo")); }

public slots:
    void showConsole(bool show);
    void undoOperation();
    void redoOperation();
    void selectionToggled(bool checked);
    void lightingToggled(bool checked);
    void renderObjectsToggled(bool checked);
    void renderObjectEdgesToggled(bool checked);
    void setView(const QString &viewAngle);
    void renderGridToggled(bool checked);
    void snapToGridToggled(bool checked);
    void changeGridSpacing();
    void changeWindowColors();
    void saveImage(const QString &filename);
    void saveImage();
    void showAboutInfo();
    void on_actionManage_Materials_triggered();
    void on_actionManage_Compatible_Materials_triggered();
    void on_actionNew_triggered();
    void on_actionSet_View_triggered();
    void on_actionSet_Lighting_triggered();
    void on_actionShow_Axis_toggled(bool checked);
    void changeRotationValue_statusBar(std::vector<float> vector3d);
    void changeAxisPositionValue_staturBar(std::vector<float> vector3d);
    void changeViewPostionValue_statusBar(std::vector<float> vector2d);
    void changeZoomValue_statusBar(float value);
    void changeLampPosition_statusBar(std::vector<float> vector4d);
    void repaintCentralWidget();
    void fitToVolume();
    void showLegendToggled(bool checked);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void retranslate();
    void mapActions();
    void connectActions();
    void openViewProperties(unsigned tab);
    void showStatus(const QString &text);
    // A length of the view in the document's unit, for the status bar.
    QString length(float worldUnits) const;

    std::unique_ptr<MainWindowPresenter> m_presenter;
    OperationMapper *m_operationMapper;
    OperationMapper *m_viewMapper;
    QShortcut *m_enter;
    QShortcut *m_return;
    QShortcut *m_escape;
    GLWidget *m_view;
    bool m_snapToGrid = false;
};

} // namespace Ui
