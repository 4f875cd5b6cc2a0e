#include "data/GameTexts.h"

namespace game_texts {

const std::string& Config()
{
    static const std::string text =
        "# Das Quillmark - Konfiguration\n"
        "# Anzeige: Breite, H\xF6he, Farbtiefe, Vollbild (0 = Fenster)\n"
        "screenwidth 800\n"
        "screenheight 600\n"
        "screendepth 16\n"
        "fullscreen 0\n"
        "\n"
        "# Start: activeLevel 0 ist das Hauptmen\xFC, nach einer Sekunde bereit. 8 zeigt zuerst den\n"
        "# Er\xF6""ffnungsfilm und dann die Bestenliste, 9 ebenso den Schlussfilm (Esc oder Leertaste\n"
        "# brechen ab). Das Men\xFC ist voreingestellt, weil man das Spiel oft startet, den Film aber\n"
        "# nicht jedes Mal sehen will.\n"
        "startGameState GameQuillmark\n"
        "activeLevel 0\n"
        "\n"
        "# Laden: alle Bilder beim Start bauen, vorbereitete Bilddateien schreiben\n"
        "preloadData 1\n"
        "generateRleFiles 1\n";
    return text;
}

// No alignment tags: the game centres the text and appends the countdown to it.
const std::string& RoundEnd()
{
    static const std::string text =
        "Gut gemacht!\n"
        "Runde gewonnen!<br>Weiter so!\n"
        "Sauber geschlagen!<br>Die Ritter zittern schon.\n"
        "Was f\xFCr ein Brett!\n"
        "Runde gewonnen!<br>Der Hofnarr ist beeindruckt.\n"
        "Bravo!<br>Die K\xF6nigin klatscht Beifall.\n"
        "Ein Hieb, ein Treffer!\n"
        "Stark!<br>Die anderen Zwerge reiben sich die Beulen.\n";
    return text;
}

const std::string& LevelEnd()
{
    static const std::string text =
        "Das Spiel ist aus!\n"
        "Feierabend im Burghof!\n"
        "Die Bretter werden eingesammelt.\n"
        "Ende der Keilerei - bis zum n\xE4" "chsten Mal!\n"
        "Der Hof leert sich, die Beulen bleiben.\n";
    return text;
}

const std::string& Credits()
{
    static const std::string text =
        "Das Quillmark\n"
        "\n"
        "Zwerge, Bretter und Ritter\n"
        "im sonnigen Burghof\n"
        "\n"
        "Spielidee und Programmierung\n"
        "Das Quillmark-Team\n"
        "\n"
        "Figuren, Burghof und Bilder\n"
        "gerechnet in der eigenen Schmiede\n"
        "\n"
        "Musik und Ger\xE4usche\n"
        "aus dem eigenen Klangerzeuger\n"
        "\n"
        "Schrift\n"
        "DejaVu\n"
        "\n"
        "Stimmen\n"
        "eSpeak NG\n"
        "\n"
        "Vielen Dank f\xFCr das Spielen!\n";
    return text;
}

// No link buttons: the exit screen just says goodbye. A button line would read
// "<label> <x> <y> <url>"; comment lines here never have exactly four words.
const std::string& QuitButtons()
{
    static const std::string text =
        "# Verweise auf dem Abschiedsbildschirm, je Zeile:\n"
        "# Sprite-Name, x, y und die Adresse\n";
    return text;
}

}  // namespace game_texts
