# bash completion for quorran-cli
_quorran_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} options
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "pace finish distance predict vdot plan laps --help --version" -- "$cur"))
        return
    fi
    case $prev in
        --model) COMPREPLY=($(compgen -W "riegel cameron" -- "$cur")); return ;;
        --every) COMPREPLY=($(compgen -W "1mi 1km 5km 400m" -- "$cur")); return ;;
        --exponent | --negative) return ;;
    esac
    case ${COMP_WORDS[1]} in
        pace) options="--km" ;;
        finish) options="--km --per-km" ;;
        distance | laps) options="--per-km" ;;
        predict) options="--km --model --exponent" ;;
        vdot) options="--km" ;;
        plan) options="--km --every --negative" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --json --help" -- "$cur"))
    else
        COMPREPLY=($(compgen -W "marathon half" -- "$cur"))
    fi
}
complete -F _quorran_cli quorran-cli
