#!/usr/bin/env python3
"""Writes resources/Lang/*.lng from the texts below.

A language file is Windows-1252 text with CR LF line ends. Every line starts with a three-character
prefix the program skips (here the line number and a blank); line k is text k. Text 2 is also the
base name of the help page, so it must be a plain file name with a page of that name in
resources/help/. Text 11 ends in "..." because, without those three characters, it is the about
box's caption. Text 4 is not used.

Run from anywhere: python3 tools/make-language-files.py
"""
import pathlib

NBSP = "\u00a0"  # French puts a non-breaking space before "?"

LANGUAGES = {
    "English": [
        "Dimoro Free is already running.",
        "Dimoro Free",
        "Help Topics",
        "Support Dimoro Free with a donation",
        "",
        "&Cancel",
        "Right click",
        "Middle click",
        "Left click",
        "Double click",
        "Drag (press, then release at the next rest)",
        "About Dimoro Free...",
        "Exit",
        "Options",
        "Tolerance",
        "Dwell time in tenths of a second",
        "Start at logon",
        "Language...",
        "Sound",
        "Do you really want to quit Dimoro Free?",
        "&Yes",
        "&No",
        "Pause (no clicks)",
        "Middle click button",
        "Add a language...",
        "Check for updates...",
        "Clicks for you wherever the pointer rests.",
        "All rights reserved.",
    ],
    "Italiano": [
        "Dimoro Free è già in esecuzione.",
        "Dimoro Free",
        "Aiuto",
        "Sostieni Dimoro Free con una donazione",
        "",
        "&Annulla",
        "Clic destro",
        "Clic centrale",
        "Clic sinistro",
        "Doppio clic",
        "Trascina (premi, poi rilascia alla sosta successiva)",
        "Informazioni su Dimoro Free...",
        "Esci",
        "Opzioni",
        "Tolleranza",
        "Tempo di sosta in decimi di secondo",
        "Esecuzione all'avvio",
        "Lingua...",
        "Suono",
        "Vuoi davvero uscire da Dimoro Free?",
        "&Sì",
        "&No",
        "Pausa (nessun clic)",
        "Clic centrale",
        "Aggiungi lingua...",
        "Controlla se ci sono aggiornamenti...",
        "Fa clic per te dove il puntatore si ferma.",
        "Tutti i diritti riservati.",
    ],
    "French": [
        "Dimoro Free est déjà en cours d'exécution.",
        "Dimoro Free",
        "Aide",
        "Soutenez Dimoro Free par un don",
        "",
        "&Annuler",
        "Clic droit",
        "Clic du milieu",
        "Clic gauche",
        "Double clic",
        "Glisser (appui, puis relâchement à l'arrêt suivant)",
        "À propos de Dimoro Free...",
        "Quitter",
        "Options",
        "Tolérance",
        "Temps d'arrêt en dixièmes de seconde",
        "Lancer à l'ouverture de session",
        "Langue...",
        "Son",
        f"Voulez-vous vraiment quitter Dimoro Free{NBSP}?",
        "&Oui",
        "&Non",
        "Pause (aucun clic)",
        "Bouton clic du milieu",
        "Ajouter une langue...",
        "Rechercher des mises à jour...",
        "Clique pour vous là où le pointeur s'arrête.",
        "Tous droits réservés.",
    ],
    "Español": [
        "Dimoro Free ya se está ejecutando.",
        "Dimoro Free",
        "Ayuda",
        "Apoye Dimoro Free con un donativo",
        "",
        "&Cancelar",
        "Clic derecho",
        "Clic central",
        "Clic izquierdo",
        "Doble clic",
        "Arrastrar (pulsar y soltar en la siguiente parada)",
        "Acerca de Dimoro Free...",
        "Salir",
        "Opciones",
        "Tolerancia",
        "Tiempo de espera en décimas de segundo",
        "Iniciar al abrir la sesión",
        "Idioma...",
        "Sonido",
        "¿Seguro que desea salir de Dimoro Free?",
        "&Sí",
        "&No",
        "Pausa (sin clics)",
        "Botón de clic central",
        "Añadir idioma...",
        "Buscar actualizaciones...",
        "Hace clic por usted donde se detiene el puntero.",
        "Todos los derechos reservados.",
    ],
    "Deutsch": [
        "Dimoro Free läuft bereits.",
        "Dimoro Free",
        "Hilfe",
        "Unterstützen Sie Dimoro Free mit einer Spende",
        "",
        "&Abbrechen",
        "Rechtsklick",
        "Mittelklick",
        "Linksklick",
        "Doppelklick",
        "Ziehen (drücken, beim nächsten Halt loslassen)",
        "Über Dimoro Free...",
        "Beenden",
        "Optionen",
        "Toleranz",
        "Verweilzeit in Zehntelsekunden",
        "Beim Anmelden starten",
        "Sprache...",
        "Ton",
        "Möchten Sie Dimoro Free wirklich beenden?",
        "&Ja",
        "&Nein",
        "Pause (keine Klicks)",
        "Mittelklick-Taste",
        "Sprache hinzufügen...",
        "Nach Updates suchen...",
        "Klickt für Sie dort, wo der Mauszeiger ruht.",
        "Alle Rechte vorbehalten.",
    ],
}


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources" / "Lang"
    folder.mkdir(parents=True, exist_ok=True)
    for name, texts in LANGUAGES.items():
        assert len(texts) == 28, name
        assert texts[11].endswith("..."), name
        lines = [f"{k:02d} {text}" for k, text in enumerate(texts)]
        (folder / f"{name}.lng").write_bytes("".join(line + "\r\n" for line in lines).encode("cp1252"))


if __name__ == "__main__":
    main()
