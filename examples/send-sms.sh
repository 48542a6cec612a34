#!/bin/sh
# Starts the sending program, watches it with Varnel and acts on the outcome.
# varnel must stand in the directory where the sending program creates its
# marker files (E1.$$$ to E6.$$$). SENDER names the sending program, VARNEL
# the monitor (by default the varnel beside this script).
here=$(cd "$(dirname "$0")" && pwd)
SENDER=${SENDER:-/opt/sms/sender}
VARNEL=${VARNEL:-$here/varnel}

"$SENDER" "$@" &
"$VARNEL"
status=$?

case $status in
  0)  echo "SMS sent." ;;
  1)  echo "Dial-up connection failed: check the modem line." ;;
  2)  echo "Could not connect to the SMTP server: see the [ERROR#] lines above." ;;
  3)  echo "The message was not sent: see the [ERROR#] lines above." ;;
  4)  echo "A name was not found: check the recipient." ;;
  10) echo "The sending program did not start within 20 seconds." ;;
  *)  echo "Varnel was interrupted or ended unexpectedly (status $status)."
      status=99 ;;
esac
exit $status
