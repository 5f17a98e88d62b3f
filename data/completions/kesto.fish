# fish completion of kesto: files, and its two options.
complete -c kesto -l help -d Hilfe
complete -c kesto -l version -d Versionsnummer
