#!/usr/bin/env bash
# Builds the page, build-web/lumivane.html, with Debian's emscripten, then:
#   bash scripts/web.sh          serves it on http://127.0.0.1:8000/lumivane.html
#   bash scripts/web.sh build    only builds it
#   bash scripts/web.sh test     runs its tests in headless Chromium against
#                                build/cli/lumivane-cli (built beforehand)
#   bash scripts/web.sh screenshot  screenshots/web.png and web-narrow.png
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages web
command -v npm >/dev/null || ensure_packages npm

# Debian's emscripten runs its JavaScript optimiser with the system node,
# which finds acorn only here.
export NODE_PATH=/usr/share/nodejs
if [ ! -f build-web/build.ninja ]; then
  emcmake cmake -S web -B build-web -G Ninja -DLUMIVANE_WERROR=ON
fi
cmake --build build-web

# The locked test packages, installed again only when the lock changed.
install_test_packages() {
  if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.lumivane-lock; then
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error &&
      cp package-lock.json node_modules/.lumivane-lock)
  fi
}

case "${1:-serve}" in
  build) ;;
  test)
    install_test_packages
    (cd tests/web && node --test)
    ;;
  screenshot)
    install_test_packages
    node scripts/web_screenshot.mjs
    ;;
  serve)
    echo "Serving http://127.0.0.1:8000/lumivane.html (Ctrl+C ends); the file also works opened from disk."
    exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web
    ;;
  *)
    echo "Usage: bash scripts/web.sh [serve|build|test|screenshot]" >&2
    exit 2
    ;;
esac
