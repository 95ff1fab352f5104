#include "ui/Texts.h"

#include <QDir>

#include <cerrno>

namespace palitra::texts {

QString caption(Phase phase)
{
    switch (phase) {
    case Phase::NoGame: return QStringLiteral("Nuevo Juego");
    case Phase::Shuffling: return QStringLiteral("Empezar");
    case Phase::Round:
    case Phase::Paused:
    case Phase::TimeUp: return QStringLiteral("Añadir");
    case Phase::Validating:
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

QString pathText(const std::vector<int>& path)
{
    QString text;
    for (const int cell : path)
        text += QStringLiteral("%1").arg(cell, 2, 10, QLatin1Char('0'));
    return text;
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

QString quitUnsavedQuestion()
{
    return QStringLiteral("Las modificaciones del diccionario no se han guardado.\n\n¿Quieres salir sin guardarlas?");
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

namespace {

// The system's reason in Spanish: every one that reading, writing, renaming
// or locking a file can give, and a number for any other.
QString reason(int systemError)
{
    switch (systemError) {
    case 0: return QStringLiteral("la escritura no se completó");
    case ENOENT: return QStringLiteral("no existe");
    case EACCES:
    case EPERM: return QStringLiteral("no hay permiso");
    case ENOSPC: return QStringLiteral("no queda espacio en el disco");
    case EDQUOT: return QStringLiteral("se ha agotado la cuota de disco");
    case EROFS: return QStringLiteral("el disco es de solo lectura");
    case ELOOP: return QStringLiteral("los enlaces simbólicos forman un bucle");
    case EISDIR: return QStringLiteral("es una carpeta");
    case ENOTDIR: return QStringLiteral("una parte de la ruta no es una carpeta");
    case ENAMETOOLONG: return QStringLiteral("el nombre es demasiado largo");
    case EIO: return QStringLiteral("error de lectura o escritura en el disco");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("está en uso");
    case EMFILE:
    case ENFILE: return QStringLiteral("hay demasiados archivos abiertos");
    case EFBIG: return QStringLiteral("el archivo es demasiado grande");
    case EOVERFLOW: return QStringLiteral("el archivo es demasiado grande para leerlo");
    case ENOMEM: return QStringLiteral("no queda memoria");
    case EWOULDBLOCK: return QStringLiteral("otra copia de Palitra lo está guardando");
    case ENOLCK: return QStringLiteral("no se puede bloquear");
    case EINTR: return QStringLiteral("la operación se interrumpió");
    case EINVAL: return QStringLiteral("el sistema de archivos no lo admite");
    case ENOTSUP: return QStringLiteral("el sistema de archivos no permite esta operación");
    case ENXIO:
    case ENODEV: return QStringLiteral("no hay ningún dispositivo detrás");
    case EEXIST: return QStringLiteral("ya existe");
    case ENOTEMPTY: return QStringLiteral("la carpeta no está vacía");
    case EXDEV: return QStringLiteral("está en otro disco");
    case EMLINK: return QStringLiteral("la carpeta tiene demasiados enlaces");
    case EPIPE: return QStringLiteral("nadie lee al otro lado");
    case EBADF:
    case EFAULT: return QStringLiteral("error interno del programa");
    case ESTALE:
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case ECONNRESET: return QStringLiteral("el disco de red no responde");
    case ENOMEDIUM: return QStringLiteral("no hay ningún disco en la unidad");
    default: return QStringLiteral("error del sistema número %1").arg(systemError);
    }
}

} // namespace

QString problem(const FileProblem& problem)
{
    const QString path = QDir::toNativeSeparators(problem.path);
    switch (problem.kind) {
    case FileProblem::Kind::Missing: return QStringLiteral("No se encontró el diccionario %1.").arg(path);
    case FileProblem::Kind::NotAFile:
        return QStringLiteral("%1 no es un archivo que se pueda leer como diccionario%2.")
            .arg(path, problem.systemError ? QStringLiteral(": ") + reason(problem.systemError) : QString());
    case FileProblem::Kind::Unreadable:
        return QStringLiteral("No se pudo leer el diccionario %1: %2.").arg(path, reason(problem.systemError));
    case FileProblem::Kind::Empty: return QStringLiteral("El diccionario %1 está vacío.").arg(path);
    case FileProblem::Kind::TooLarge:
        return QStringLiteral("El diccionario %1 es demasiado grande: pasa de 4 GB.").arg(path);
    case FileProblem::Kind::NoMemory: return QStringLiteral("El diccionario %1 no cabe en la memoria.").arg(path);
    case FileProblem::Kind::Garbled: return QStringLiteral("%1 no es una lista de palabras.").arg(path);
    case FileProblem::Kind::NotSaved:
        return QStringLiteral("No se pudo guardar el diccionario en %1: %2.").arg(path, reason(problem.systemError));
    case FileProblem::Kind::NotAFileToSave:
        return QStringLiteral("No se pudo guardar el diccionario en %1: no es un archivo, y no se reemplaza.")
            .arg(path);
    }
    return {};
}

QString foundBy(FoundBy who)
{
    switch (who) {
    case FoundBy::Nobody: return QStringLiteral("—");
    case FoundBy::Player: return QStringLiteral("tú");
    case FoundBy::Computer: return QStringLiteral("el ordenador");
    case FoundBy::ComputerStruck: return QStringLiteral("el ordenador (no válida)");
    }
    return {};
}

QString boardWordsSummary(int wordsFound, int wordsHeld, int pointsFound, int pointsHeld)
{
    if (wordsHeld == 0)
        return QStringLiteral("No hay ninguna palabra en el tablero.");
    return QStringLiteral("Has encontrado %1 de %2 %3: %4 de %5 %6.")
        .arg(wordsFound)
        .arg(wordsHeld)
        .arg(wordsHeld == 1 ? QStringLiteral("palabra") : QStringLiteral("palabras"))
        .arg(pointsFound)
        .arg(pointsHeld)
        .arg(pointsHeld == 1 ? QStringLiteral("punto") : QStringLiteral("puntos"));
}

QString recordSetAside(const QString& asidePath)
{
    const QString start = QStringLiteral("No se pudieron leer las estadísticas guardadas");
    return asidePath.isEmpty() ? start + QStringLiteral(": empiezan de nuevo.")
                               : start
            + QStringLiteral(": se han apartado en %1 y empiezan de nuevo.").arg(QDir::toNativeSeparators(asidePath));
}

QString clearRecordQuestion()
{
    return QStringLiteral("¿Quieres borrar todas las estadísticas?");
}

QString recordNotSaved(const QString& path)
{
    return QStringLiteral("No se pudieron guardar las estadísticas en %1.").arg(QDir::toNativeSeparators(path));
}

QString setAside(const SetAside& file)
{
    const QString then = QStringLiteral("El juego empieza con el diccionario del programa, sin tus cambios.");
    return problem(file.problem) + QLatin1Char(' ')
        + (file.keptAs.isEmpty()
               ? then
               : QStringLiteral("Se ha guardado aparte como %1. ").arg(QDir::toNativeSeparators(file.keptAs)) + then);
}

} // namespace palitra::texts
