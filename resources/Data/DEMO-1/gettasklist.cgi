#!/bin/sh
# Demo model DEMO-1: placeholder for gettasklist.cgi, CGI program gettasklist.cgi of the alarm application.
# Part of the Kor Manager demo data; it does no real work on the simulated camera.
printf 'Content-Type: text/plain\r\n\r\n'
