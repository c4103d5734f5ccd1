#!/usr/bin/env bash
# Asks the tool's bash completion what it offers for a few command lines, as bash would on Tab.
set -uo pipefail
completion=$1
source /usr/share/bash-completion/bash_completion
source "$completion"

offers() {
  local line=$1
  COMP_LINE=$line
  COMP_POINT=${#line}
  read -r -a COMP_WORDS <<<"$line"
  [[ $line == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zentravolix_cli zentravolix-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {
  local line=$1 want=$2 got
  got=$(offers "$line")
  if [ "$got" != "$want" ]; then
    echo "FAIL: completing '$line' offers '$got', expected '$want'" >&2
    exit 1
  fi
}

expect 'zentravolix-cli ' 'check diff disk get new rewrite set show '
expect 'zentravolix-cli --v' '--version '
expect 'zentravolix-cli disk ' 'create info '
expect 'zentravolix-cli disk create x.vmdk --type ' 'growable growable-split preallocated preallocated-split '
expect 'zentravolix-cli disk create x.vmdk --adapter l' 'lsilogic '
expect 'zentravolix-cli disk create x.vmdk --m' '--max-ide-sectors --max-scsi-sectors --method '
expect 'zentravolix-cli new vm --' '--dir --force --help '
expect 'zentravolix-cli show --' '--help --json --json-lines --quiet '
expect 'zentravolix-cli check --' '--help --jobs --json --quiet '
expect 'zentravolix-cli set vm.vmx --d' '--dry-run '
expect 'zentravolix-cli diff --j' '--json '
echo "completion OK"
