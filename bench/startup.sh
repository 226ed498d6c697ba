# bench/run's entry for the start-up benchmark (Windows build, under Wine).
exec bash "$PAVRA_ROOT/bench/startup/run" 15
