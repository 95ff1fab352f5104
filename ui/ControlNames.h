#pragma once

#include <QString>

// The windows' controls keep the names of the game's original drawing as
// their Qt object names, so that tests and tools find them; the C++ members
// that hold them say what they are for. This is the one map between the two.
namespace palitra::names {

// The windows.
inline constexpr char mainWindow[] = "Form1";
inline constexpr char optionsDialog[] = "Form2";
inline constexpr char loadingWindow[] = "Form3";
inline constexpr char validationWindow[] = "Form4";
inline constexpr char aboutWindow[] = "FormQuindaro";

// The main window.
inline QString tile(int cell)
{
    return QStringLiteral("Command1_%1").arg(cell);
} // cells 0..24
inline constexpr char actionButton[] = "Command2";
inline constexpr char takeBackButton[] = "Command4_0";
inline constexpr char clearButton[] = "Command4_1";
inline constexpr char clockLabel[] = "Label1";
inline constexpr char playerScoreLabel[] = "Label2_0";
inline constexpr char computerScoreLabel[] = "Label2_1";
inline constexpr char wordLabel[] = "Label3";
inline constexpr char messageLabel[] = "Label4";
inline constexpr char playerNameLabel[] = "Label5_0";
inline constexpr char computerNameLabel[] = "Label5_1";
inline constexpr char playerWordsList[] = "List1";
inline constexpr char computerWordsList[] = "List2";
inline constexpr char computerPathsList[] = "List3";
inline constexpr char dealTimer[] = "Timer1";
inline constexpr char roundTimer[] = "Timer2";
inline constexpr char panel[] = "Shape1";
inline constexpr char boardBack[] = "Shape2";
inline constexpr char gameMenu[] = "MnuGame";
inline constexpr char newGameAction[] = "MnuNew";
inline constexpr char knowsAllAction[] = "MnuKnowsAll";
inline constexpr char helpMenu[] = "MnuHelpp";
inline constexpr char howToPlayAction[] = "MnuHow";
inline constexpr char aboutAction[] = "MnuInfo";
inline constexpr char pauseAction[] = "MnuPause";
inline constexpr char boardWordsAction[] = "MnuBoardWords";
inline constexpr char statisticsAction[] = "MnuStatistics";

// The options dialog.
inline QString timeOption(int index)
{
    return QStringLiteral("Option1_%1").arg(index);
} // 2..5 minutes
inline QString pointsOption(int index)
{
    return QStringLiteral("Option2_%1").arg(index);
} // 50, 100, 150
inline QString levelOption(int index)
{
    return QStringLiteral("Option3_%1").arg(index);
} // Fácil..Difícil
inline constexpr char timeFrame[] = "Frame1";
inline constexpr char pointsFrame[] = "Frame2";
inline constexpr char levelFrame[] = "Frame3";
inline constexpr char pointsText[] = "Text1";
inline constexpr char okButton[] = "Command1";

// The loading window.
inline constexpr char loadingLabel[] = "Label1";
inline constexpr char loadTimer[] = "Timer1";

// The validation window.
inline constexpr char validationHint[] = "Label1";
inline constexpr char validationList[] = "List1";
inline constexpr char closeButton[] = "Command1";

// The about window.
inline constexpr char aboutFrame[] = "shpMarco";
inline constexpr char aboutIcon[] = "imgIcono";
inline constexpr char aboutTitle[] = "lblTitulo";
inline constexpr char aboutMaker[] = "lblCreadoPor";
inline constexpr char aboutLogo[] = "imgLogo";
inline constexpr char aboutMailCaption[] = "lblTexEmail";
inline constexpr char aboutMail[] = "lblMail";
inline constexpr char aboutWebCaption[] = "lblTexWeb";
inline constexpr char aboutWeb[] = "lblURL";
inline constexpr char aboutNotice[] = "lblTexto";
inline constexpr char aboutCloseHint[] = "lblClick";

// The statistics window.
inline constexpr char statisticsWindow[] = "FormEstadisticas";
inline constexpr char statisticsTable[] = "grdEstadisticas";
inline constexpr char statisticsClearButton[] = "cmdBorrar";
inline constexpr char statisticsCloseButton[] = "cmdCerrar";

// The window of the board's words.
inline constexpr char boardWordsWindow[] = "FormPalabras";
inline constexpr char boardWordsSummary[] = "lblResumen";
inline constexpr char boardWordsList[] = "lstPalabras";
inline constexpr char boardWordsCloseButton[] = "cmdCerrar";

} // namespace palitra::names
