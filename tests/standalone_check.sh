#!/usr/bin/env bash
# The repository stands alone: no tracked file outside the documentation may reach for data
# beside the checkout (a sibling "shared" folder); what the tests, the generators and the build
# read lives in the repository (recorded weather under data/reference). Exits 77 (skipped)
# when the source tree is not a git checkout or git is missing.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
if ! command -v git >/dev/null 2>&1 || ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "not a git checkout: skipped"
  exit 77
fi
found=$(git grep -nIE -e '\.\./shared' -e 'shared/data' -e "'shared'" -e '"shared"' \
  -- . ':(exclude)*.md' ':(exclude)tests/standalone_check.sh')
if [ -n "$found" ]; then
  echo "tracked files reach outside the repository for shared data:"
  echo "$found"
  exit 1
fi
echo "no tracked file names a folder beside the checkout"
