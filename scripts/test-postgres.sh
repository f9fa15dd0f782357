# Sourced by scripts/test.sh: starts a throwaway PostgreSQL 15 cluster in a
# temporary folder, listening only on a Unix socket there, for the server's
# storage tests (QUILLAX_TEST_POSTGRES), and stops and removes it when the
# calling script exits, whether its tests passed or not. PostgreSQL will not
# run as root, so as root the cluster belongs to the postgres user.
pg_bin=/usr/lib/postgresql/15/bin
pg_dir=$(mktemp -d /tmp/quillax-pg.XXXXXX)
pg_as=()
if [ "$(id -u)" -eq 0 ]; then
  chown postgres: "$pg_dir"
  pg_as=(runuser -u postgres --)
fi
stop_test_postgres() {
  "${pg_as[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$pg_dir"
}
trap stop_test_postgres EXIT
"${pg_as[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -A trust -U postgres >"$pg_dir/initdb.log" 2>&1 ||
  { cat "$pg_dir/initdb.log"; exit 1; }
"${pg_as[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" -w \
  -o "-k $pg_dir -c listen_addresses=''" start >/dev/null || { cat "$pg_dir/server.log"; exit 1; }
export QUILLAX_TEST_POSTGRES="postgresql:///postgres?host=$pg_dir&user=postgres"
