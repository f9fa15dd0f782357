# Shared by the program tests that play online: a real leaderboard server on
# 127.0.0.1, on a free port, with its data in a folder of its own.
# Usage: source this after xvfb_session.sh; start_server sets PORT, and
# stop_server (which the caller's EXIT trap calls) stops it and removes its data.

SERVER_BIN="$RUN_DIR/quillax-server"
[ -x "$SERVER_BIN" ] || { echo "FAIL: no server program at $SERVER_BIN" >&2; exit 1; }

# Tries ports at random until the server answers: it refuses to start on a taken one.
start_server() {
  SERVER_DATA=$(mktemp -d)
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    PORT=$((20000 + RANDOM % 40000))
    "$SERVER_BIN" --data "$SERVER_DATA" --listen "127.0.0.1:$PORT" >"$WORK/server.txt" 2>&1 &
    SERVER_PID=$!
    poll 100 curl -s -f -o /dev/null "http://127.0.0.1:$PORT/api/v1/health" && return 0
    kill "$SERVER_PID" 2>/dev/null
    wait "$SERVER_PID" 2>/dev/null
    SERVER_PID=
  done
  fail "the server did not start: $(cat "$WORK/server.txt")"
}

stop_server() {
  if [ -n "${SERVER_PID:-}" ]; then
    kill "$SERVER_PID" 2>/dev/null
    wait "$SERVER_PID" 2>/dev/null
  fi
  rm -rf "${SERVER_DATA:-}"
}

# An Xvfb session in $WORK with a server beside it, both ended with the test.
start_online_session() {
  start_session
  trap 'stop_server; end_session' EXIT
  cd "$WORK" || fail "no work folder"
  start_server
}

# The game's online settings in $WORK: playing as $1 on this server.
go_online_as() {
  printf 'online = on\nplayer_name = %s\nserver_address = http://127.0.0.1:%s\n' "$1" "$PORT" >"$WORK/online"
}
