#!/usr/bin/env bash
# Installs what is missing, builds, and starts the reader on the built-in sample site.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
tavelin_install_packages
tavelin_build
if [ -x "$TAVELIN_BUILD/tavelin" ]; then
  # The built-in sample site, unless another site is named.
  case " $* " in
    *" --site-url "*) exec "$TAVELIN_BUILD/tavelin" "$@" ;;
    *) exec "$TAVELIN_BUILD/tavelin" --demo "$@" ;;
  esac
else
  echo "The reader window is not built yet; the sample site runs instead."
  exec "$TAVELIN_BUILD/tavelin-sample-site" --port 18080 "$@"
fi
