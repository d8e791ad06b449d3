(defrule r
  ; (exit)
  => (printout t "(system)" crlf)
  (
 system "true"))
