# bench/run's entry for the command-prompt output benchmark (Windows build, under Wine).
exec bash "$PAVRA_ROOT/bench/dos/run"
