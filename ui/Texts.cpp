#include "ui/Texts.h"

#include <QDir>

namespace palitra::texts {

QString caption(Phase phase)
{
    switch (phase) {
    case Phase::NoGame: return QStringLiteral("Nuevo Juego");
    case Phase::Dealing: return QStringLiteral("Empezar");
    case Phase::Round: return QStringLiteral("Añadir");
    case Phase::BetweenRounds: return QStringLiteral("Mezclar");
    case Phase::Over: return QStringLiteral("Fin");
    }
    return {};
}

QString notice(Notice notice)
{
    switch (notice) {
    case Notice::None: return {};
    case Notice::AlreadyListed: return QStringLiteral("Esa palabra ya está en la lista.");
    case Notice::TooShort: return QStringLiteral("Debe tener por lo menos 3 letras.");
    }
    return {};
}

QString word(std::string_view letters)
{
    return QString::fromLatin1(letters.data(), static_cast<qsizetype>(letters.size()));
}

QString computerEntry(const ComputerWord& found)
{
    return found.struck ? word(found.word) + QStringLiteral(" (no válida)") : word(found.word);
}

QString validationEntry(const ComputerWord& found)
{
    return found.struck ? QStringLiteral("(Borrada)") : word(found.word);
}

QString unknownWordQuestion(std::string_view letters)
{
    return QStringLiteral("No conozco la palabra: ") + word(letters)
        + QStringLiteral("\n\n¿Quieres añadirla a la lista?");
}

QString strikeQuestion(std::string_view letters)
{
    return QStringLiteral("¿Quieres borrar esta palabra?\n\n") + word(letters);
}

QString startOverQuestion()
{
    return QStringLiteral("¿Quieres empezar otra partida?");
}

QString saveQuestion()
{
    return QStringLiteral("¿Quieres guardar las modificaciones del diccionario?");
}

QString timeUp()
{
    return QStringLiteral("Se acabó el tiempo.");
}

QString winner(Winner winner)
{
    return winner == Winner::Player ? QStringLiteral("Has ganado.") : QStringLiteral("Te he ganado.");
}

QString noTargetChosen()
{
    return QStringLiteral("No has elegido los puntos.");
}

QString problem(const FileProblem& problem)
{
    const QString path = QDir::toNativeSeparators(problem.path);
    switch (problem.kind) {
    case FileProblem::Kind::Missing: return QStringLiteral("No se encontró el diccionario %1.").arg(path);
    case FileProblem::Kind::Unreadable:
        return QStringLiteral("No se pudo leer el diccionario %1: %2.").arg(path, problem.reason);
    case FileProblem::Kind::Empty: return QStringLiteral("El diccionario %1 está vacío.").arg(path);
    case FileProblem::Kind::NotSaved: {
        const QString reason =
            problem.reason.isEmpty() ? QStringLiteral("la escritura no se completó") : problem.reason;
        return QStringLiteral("No se pudo guardar el diccionario en %1: %2.").arg(path, reason);
    }
    }
    return {};
}

} // namespace palitra::texts
