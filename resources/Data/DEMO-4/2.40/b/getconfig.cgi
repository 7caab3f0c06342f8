#!/bin/sh
# Demo model DEMO-4 firmware 2.40: placeholder for getconfig.cgi, CGI program getconfig.cgi of the alarm application.
# Part of the Kor Manager demo data; it does no real work on the simulated camera.
printf 'Content-Type: text/plain\r\n\r\n'
